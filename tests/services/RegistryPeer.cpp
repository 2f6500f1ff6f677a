// The second process of the registry's round trip: started on the first one's configuration
// folder, it prints what it finds there, one line each, and saves an answer for the first.
#include "platform/core/Exceptions.h"
#include "platform/services/Registry.h"
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    setenv("XDG_CONFIG_HOME", argv[1], 1);
    try {
        TRegIniFile ini("Software\\QexTest\\Restart");
        std::cout << ini.ReadString("Form", "Left", "missing") << '\n';
        std::cout << ini.ReadString("Form", "Caption", "missing") << '\n';
        TRegistry reg;
        if (reg.OpenKeyReadOnly("\\Software\\QexTest\\Restart\\Numbers"))
            std::cout << reg.ReadInteger("Count") << '\n';
        else
            std::cout << "no numbers\n";
        std::cout << (reg.KeyExists("\\Software\\Microsoft\\QexTest") ? "system key\n" : "no system key\n");
        ini.WriteString("Answer", "From", "the second process");
    } catch (const Exception& error) {
        std::cout << error.what() << '\n';
        return 1;
    }
    return 0;
}

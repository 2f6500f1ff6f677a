// Pins the time zone for one test, whatever the environment gave, and gives the old one back.
#pragma once
#include <cstdlib>
#include <ctime>
#include <string>

class ZoneFixed {
public:
    explicit ZoneFixed(const char* zone)
    {
        const char* old = std::getenv("TZ");
        FHad = old != nullptr;
        if (FHad)
            FOld = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ZoneFixed()
    {
        if (FHad)
            ::setenv("TZ", FOld.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    bool FHad = false;
    std::string FOld;
};

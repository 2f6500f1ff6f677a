// Feeds arbitrary reply bytes through the HTTP response reader, split into reads of a size the
// input chooses, and every Location value through the redirect resolution. Nothing may crash;
// the body handed on never exceeds what arrived, nothing follows a stop, and a headerless
// reply's body is exactly the rest of the input from its "<HTML>" line.
#include "net/HttpDocName.h"
#include "net/HttpHeaderFields.h"
#include "net/HttpResponseReader.h"
#include "net/HttpTarget.h"
#include "net/HttpUrl.h"
#include <algorithm>
#include <cstdint>
#include <string>
#include "FuzzCheck.h"

namespace {

class Listener : public HttpResponseListener {
public:
    Listener() : reader(fields, *this) {}

    void ResponseHeaderBegin() override { Check(!stopped && !begun); begun = true; }
    void ResponseHeaderLine(const AnsiString& line, const AnsiString& name, const AnsiString& value) override
    {
        Check(!stopped && begun && !line.empty());
        Check(line.size() <= 8192);
        if (name == "location") {
            AnsiString url = ResolveLocation("http://host:8080/dir/page.txt?q", value);
            for (char c : url)
                Check(static_cast<unsigned char>(c) > 0x20 && static_cast<unsigned char>(c) < 0x7F);
            HttpTarget target = RequestTarget("http://host/x", "", "80");
            RedirectTarget(target, url, false);
            Check(!target.RequestPath.empty());
            DocumentName(target.RequestPath);
        }
        if (name == "content-range") {
            AnsiString begin, end;
            ParseContentRange(value, begin, end);
            Check(begin.size() <= value.size() && end.size() <= value.size());
        }
    }
    bool ResponseHeaderComplete(bool headerless) override
    {
        Check(!stopped);
        ended = true;
        this->headerless = headerless;
        return true;
    }
    void ResponseBody(const char* data, int length) override
    {
        Check(!stopped && ended && length > 0);
        body.append(data, static_cast<std::size_t>(length));
    }
    void ResponseFailed(std::uint16_t code, const AnsiString&) override
    {
        Check(code == 4 && !stopped);
        stopped = true;
    }

    HttpResponseFields fields;
    HttpResponseReader reader;
    bool begun = false, ended = false, headerless = false, stopped = false;
    std::string body;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::size_t step = 1 + data[0] * 37u;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    std::size_t length = size - 1;

    Listener listener;
    listener.reader.Start();
    for (std::size_t at = 0; at < length; at += step)
        listener.reader.Feed(bytes + at, std::min(step, length - at));

    Check(listener.body.size() <= length);
    if (listener.headerless) {
        std::string input(bytes, length);
        Check(input.size() >= listener.body.size());
        Check(input.compare(input.size() - listener.body.size(), std::string::npos, listener.body) == 0);
        Check(listener.body.size() >= 6);
    }
    Check(listener.fields.RcvdHeader.Count() <= HttpResponseReader::kMaxHeaderBytes);
    if (listener.fields.StatusSeen)
        Check(listener.fields.StatusCode >= 0 && listener.fields.StatusCode <= 999);

    AnsiString proto, user, pass, host, port, path = "/a/b/c";
    ParseURL(AnsiString(bytes, std::min<std::size_t>(length, 512)), proto, user, pass, host, port, path);
    return 0;
}

// The route page stand-in as a program, for the demo: serves the pages on
// 127.0.0.1 (the port given, or a free one) until it is ended, and prints
// every request and every report the pages send.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "routepages/RoutePageServer_win.h"

int wmain(int argc, wchar_t** argv) {
    const unsigned long port = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 0;
    routepages::RoutePageServer server(static_cast<std::uint16_t>(port));
    std::printf("%s\n", server.Url("route").c_str());
    std::fflush(stdout);
    std::size_t requests = 0;
    std::size_t reports = 0;
    for (;;) {
        Sleep(100);
        const auto seen = server.Requests();
        for (; requests < seen.size(); ++requests) std::printf("request %s\n", seen[requests].c_str());
        const auto sent = server.Reports();
        for (; reports < sent.size(); ++reports) {
            const auto& r = sent[reports];
            std::printf("report %s: start \"%s\", dest \"%s\"%s\n", r.page.c_str(), r.start.c_str(), r.dest.c_str(),
                        r.clicked ? ", button clicked" : "");
        }
        std::fflush(stdout);
    }
}

// The DevTools connection against endpoints that are no browser: a port
// that takes the connection and then says nothing, and a WebSocket that
// sends one message without end. Every wait ends, the window answers while
// the program waits, and the message is cut off at the cap.
#include "platform/WebSocketChannel_win.h"

#include <winsock2.h>
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "base/AppError.h"
#include "platform/DevToolsSession.h"
#include "support/Listener_win.h"
#include "support/TestWindow_win.h"

namespace {

std::string Base64(const unsigned char* data, std::size_t size) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < size; i += 3) {
        const unsigned n = data[i] << 16 | (i + 1 < size ? data[i + 1] << 8 : 0) | (i + 2 < size ? data[i + 2] : 0);
        out += digits[n >> 18 & 63];
        out += digits[n >> 12 & 63];
        out += i + 1 < size ? digits[n >> 6 & 63] : '=';
        out += i + 2 < size ? digits[n & 63] : '=';
    }
    return out;
}

std::string WebSocketAccept(const std::string& key) {
    const std::string text = key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11";
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    unsigned char digest[20] = {};
    DWORD size = sizeof digest;
    CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT);
    CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash);
    CryptHashData(hash, reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()), 0);
    CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0);
    CryptDestroyHash(hash);
    CryptReleaseContext(provider, 0);
    return Base64(digest, sizeof digest);
}

bool SendAll(SOCKET socket, const std::string& data) {
    for (std::size_t at = 0; at < data.size();) {
        const int sent = send(socket, data.data() + at, static_cast<int>(data.size() - at), 0);
        if (sent <= 0) return false;
        at += static_cast<std::size_t>(sent);
    }
    return true;
}

// Takes the upgrade, then sends one text message in 1 MB frames that never
// ends: 64 MB of it, then it waits (so that a channel without a cap fails
// the test instead of the machine).
void Endless(SOCKET client, const std::atomic<bool>& stop) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    std::string lower = request;
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    const std::size_t at = lower.find("sec-websocket-key:");
    if (at == std::string::npos) return;
    std::string key = request.substr(at + 18, request.find("\r\n", at) - at - 18);
    key.erase(0, key.find_first_not_of(' '));
    if (!SendAll(client, "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                         "Sec-WebSocket-Accept: " + WebSocketAccept(key) + "\r\n\r\n")) {
        return;
    }
    const std::size_t piece = 1u << 20;
    for (int i = 0; i < 64 && !stop; ++i) {
        std::string frame;
        frame += static_cast<char>(i == 0 ? 0x01 : 0x00);  // text, then continuations; never FIN
        frame += static_cast<char>(127);
        for (int shift = 56; shift >= 0; shift -= 8) frame += static_cast<char>((piece >> shift) & 0xFF);
        frame.append(piece, 'x');
        if (!SendAll(client, frame)) return;
    }
    while (!stop) Sleep(20);
}

template <class F>
AppError ErrorOf(F call) {
    try {
        call();
    } catch (const AppError& e) {
        return e;
    }
    return AppError(0, "no error");
}

TEST(DevToolsEndpoint, ASilentPortEndsEveryStepInTimeAndTheWindowAnswersMeanwhile) {
    support::Listener silent(support::ServeSilently);
    support::TestWindow window(L"Rovandel2WaitTest", L"Warten");
    support::AnswerWatch watch(window.hwnd());

    ULONGLONG start = GetTickCount64();
    const AppError get = ErrorOf([&] { platform::LocalHttpGet(silent.Port(), "/json/version", 2000); });
    // Wine names the timeout a failed connection.
    const auto inTime = [](const AppError& e) {
        return e.number() == platform::kBrowserTimeout || e.number() == platform::kBrowserCannotConnect;
    };
    EXPECT_TRUE(inTime(get)) << get.number() << " " << get.description();
    EXPECT_LT(GetTickCount64() - start, 6000u);

    start = GetTickCount64();
    const AppError upgrade = ErrorOf([&] { platform::WebSocketChannel(silent.Port(), "/devtools/page/x"); });
    EXPECT_TRUE(inTime(upgrade)) << upgrade.number() << " " << upgrade.description();
    EXPECT_FALSE(upgrade.description().empty());
    EXPECT_LT(GetTickCount64() - start, 12000u);

    EXPECT_GT(watch.Answers(), 10);
    EXPECT_LT(watch.LongestMs(), 1000u) << "the window did not answer while the program waited";
}

TEST(DevToolsEndpoint, AMessageWithoutEndIsCutOffAtTheCapAndReportedInGerman) {
    support::Listener endless(Endless);
    platform::WebSocketChannel channel(endless.Port(), "/devtools/page/endless");
    const ULONGLONG end = GetTickCount64() + 20000;
    const AppError error = ErrorOf([&] {
        while (GetTickCount64() < end) channel.Receive(200);
    });
    EXPECT_EQ(error.number(), platform::kBrowserBadAnswer);
    EXPECT_EQ(error.description(),
              "Der Browser hat eine zu lange Nachricht geschickt (über 8 MB); die Verbindung wurde getrennt.");
    EXPECT_EQ(ErrorOf([&] { channel.Receive(0); }).number(), platform::kBrowserBadAnswer) << "and it stays so";
}

}  // namespace

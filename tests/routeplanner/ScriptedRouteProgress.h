#pragma once
// Where the route calculation's tests watch the run: it records what the run
// reports, in order, and its waits move a fake clock on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/ScriptedMessageBoxes.h"
#include "routeplanner/clRoutenberechnung.h"

// The lines of the run's usual request.
inline RouteRequest TestRequest(std::string url = "https://www.fahrtweg.example/baseservices/do/routeService") {
    return {"Hauptstraße 12, 80331 München, DEU", "Ring 5, 8001 Zürich, CHE", std::move(url), "", "", "Rovandel2"};
}

class ScriptedRouteProgress : public IRouteProgress {
public:
    explicit ScriptedRouteProgress(platform::FakeClock& clock) : m_Clock(clock) {}

    void zeigeStatus(std::string_view Text) override {
        Log("status " + std::string(Text));
        DoEvents();
    }
    void SetProgress(int value) override { Log("progress " + std::to_string(value)); }
    void SetStatusPicture(int number) override { Log("picture " + std::to_string(number)); }
    void SetStatusPicture(std::string_view key) override { Log("picture " + std::string(key)); }
    platform::MsgAnswer MsgBox(const platform::MessageBoxRequest& request) override {
        Log("box " + request.text.substr(0, request.text.find('\r')));
        return boxes.Show(request);
    }
    void DoEvents() override {
        if (onEvents) onEvents();
    }
    void WaitForEvents(int timeoutMs) override {
        EXPECT_GE(timeoutMs, 0);
        // A real browser needs real time to get on: every wait lasts `realWaitMs` at most.
        if (realWaitMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min(timeoutMs, realWaitMs)));
        m_Clock.Advance(static_cast<std::int64_t>(timeoutMs) * timeScale);
        DoEvents();
    }
    bool Ended() override { return ended; }

    // The log without the tick pictures.
    std::vector<std::string> Steps() const {
        std::vector<std::string> out;
        for (const std::string& entry : log) {
            if (entry != "picture 1" && entry != "picture 2") out.push_back(entry);
        }
        return out;
    }
    std::vector<std::string> Only(std::string_view prefix) const {
        std::vector<std::string> out;
        for (const std::string& entry : log) {
            if (entry.starts_with(prefix)) out.push_back(entry);
        }
        return out;
    }

    platform::ScriptedMessageBoxes boxes;
    std::function<void()> onEvents;
    std::vector<std::string> log;
    bool ended = false;
    int realWaitMs = 0;
    int timeScale = 1;  // the fake clock moves this many times the wait on

private:
    void Log(std::string entry) {
        EXPECT_FALSE(ended) << "the run went on after the program ended: " << entry;
        log.push_back(std::move(entry));
    }
    platform::FakeClock& m_Clock;
};

#pragma once
// A main window for the route calculation's tests: it records what the run
// does to it, in order, and its waits move a fake clock on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageBoxes.h"
#include "routeplanner/RouteHost.h"

class ScriptedRouteHost : public RouteHost {
public:
    explicit ScriptedRouteHost(platform::FakeClock& clock) : m_Clock(clock) {
        texts = {{"txbrouteEntry_start_street", "Hauptstraße 12"}, {"txbrouteEntry_start_zip", "80331"},
                 {"txbrouteEntry_start_city", "München"},          {"txbrouteEntry_dest_street", "Ring 5"},
                 {"txbrouteEntry_dest_zip", "8001"},               {"txbrouteEntry_dest_city", "Zürich"}};
        selected = {{"cbxrouteEntry_start_country", "DEU"}, {"cbxrouteEntry_dest_country", "CHE"}};
    }

    void zeigeStatus(std::string_view Text) override {
        Log("status " + std::string(Text));
        DoEvents();
    }
    void aktiviereEingaben(bool Aktiv) override {
        Log(Aktiv ? "unlock" : "lock");
        DoEvents();
    }
    void SetFrontwindow(bool ImVordergrund) override { Log(ImVordergrund ? "front on" : "front off"); }
    void SetProgress(int value) override { Log("progress " + std::to_string(value)); }
    void SetStatusPicture(int number) override { Log("picture " + std::to_string(number)); }
    void SetStatusPicture(std::string_view key) override { Log("picture " + std::string(key)); }
    std::string Text(std::string_view control) override { return texts.at(std::string(control)); }
    std::string SelectedText(std::string_view control) override { return selected.at(std::string(control)); }
    bool IsChecked(std::string_view control) override { return checks[std::string(control)]; }
    void Press(std::string_view control) override {
        Log("press " + std::string(control));
        if (onPress) onPress(control);
    }
    platform::ISettingsStore& Settings() override { return settings; }
    std::string Programmname() override { return "Rovandel2"; }
    platform::MsgAnswer MsgBox(const platform::MessageBoxRequest& request) override {
        Log("box " + request.text.substr(0, request.text.find('\r')));
        return boxes.Show(request);
    }
    void DoEvents() override {
        ++events;
        if (onEvents) onEvents();
    }
    void WaitForEvents(int timeoutMs) override {
        EXPECT_GE(timeoutMs, 0);
        // A real browser needs real time to get on: every wait lasts `realWaitMs` at most.
        if (realWaitMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min(timeoutMs, realWaitMs)));
        m_Clock.Advance(static_cast<std::int64_t>(timeoutMs) * timeScale);
        waitedMs += timeoutMs;
        DoEvents();
    }
    bool Ended() override { return ended; }
    void Browserfehler() override { ++browserFailures; }
    void CloseWindow() override {
        EXPECT_FALSE(ended) << "closed after the program ended";
        Log("close");
    }

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

    std::map<std::string, std::string> texts;
    std::map<std::string, std::string> selected;
    std::map<std::string, bool> checks;
    platform::MemorySettingsStore settings;
    platform::ScriptedMessageBoxes boxes;
    std::function<void()> onEvents;
    std::function<void(std::string_view)> onPress;
    std::vector<std::string> log;
    bool ended = false;
    int realWaitMs = 0;
    int timeScale = 1;  // the fake clock moves this many times the wait on
    long events = 0;
    int browserFailures = 0;
    long long waitedMs = 0;

private:
    void Log(std::string entry) {
        EXPECT_FALSE(ended) << "the run went on after the program ended: " << entry;
        log.push_back(std::move(entry));
    }
    platform::FakeClock& m_Clock;
};

#pragma once
// The window's logic over a recording window, a settings store in memory,
// scripted shell folders and a small scripted ACT! with a few contacts: the
// views stand on ACT!'s current contact, GoTo moves it, LookupAll is counted.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "common/clACTApplication.h"
#include "platform/Locale.h"
#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedAutomation.h"
#include "platform/RecordingShell.h"
#include "browser/ScriptedBrowser.h"
#include "platform/ScriptedShellFolders.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"
#include "routeplanner/clRovandel2.h"
#include "routeplanner/RecordingForm.h"

class Rovandel2Test : public testing::Test {
protected:
    using Strings = std::vector<std::string>;
    using Fields = std::map<std::int32_t, std::string>;

    Rovandel2Test() {
        actWindow = sub.windows.Add("ACT3.0FrameClass", "ACT! - Demo-Datenbank");
        mainWindow = sub.windows.Add("Rovandel2Haupt", "Rovandel2");
        act.AnswerObject("app", "Views", "views");
        act.AnswerWith("app", "GetUserId", [this](const auto&) { return platform::AutoValue(userId); });
        act.AnswerWith("views", "Create", [this](const auto&) { return act.Hand("contact"); });
        act.AnswerWith("contact", "getCurrentID", [this](const auto&) { return platform::AutoValue(current); });
        act.AnswerWith("contact", "GetField", [this](const std::vector<platform::AutoValue>& args) {
            const auto& fields = contacts[current];
            auto it = fields.find(std::get<std::int32_t>(args.at(0)));
            return platform::AutoValue(it == fields.end() ? std::string() : it->second);
        });
        act.AnswerWith("contact", "GoTo", [this](const std::vector<platform::AutoValue>& args) {
            const std::string id = std::get<std::string>(args.at(0));
            if (contacts.contains(id)) current = id;
            return platform::AutoValue(std::int32_t{contacts.contains(id) ? 0 : 1});
        });
        contacts["K00000000001"] = {{27, "Schloßstraße 7"}, {30, "München"}, {32, "80331"}, {33, "Deutschland"}};
        contacts["K00000000002"] = {{27, "Mariahilfer Straße 45a"}, {30, "Wien"}, {32, "1060"}, {33, " ÖSTERREICH "}};
        contacts["          K7"] = {{27, "Bahnhofstrasse 3"}, {30, "Zürich"}, {32, "8001"}, {33, "Schweiz"}};
        form.logic = &logic;
        // The route page is ready at once; the window's waits move the clock on.
        platform::ScriptedBrowser::Page page;
        page.elements = platform::ScriptedBrowser::RouteForm();
        browsers.pages = {page};
        sub.windows.onWaitForEvents = [this](int ms) { clock.Advance(ms); };
    }

    // Only the calls that reach a contact or the application, without the chain's steps.
    Strings ActCalls() const {
        Strings out;
        for (const std::string& call : act.MemberCalls()) {
            if (call.rfind("views.", 0) != 0 && call != "app.Views") out.push_back(call);
        }
        return out;
    }

    Strings BoxTexts() const {
        Strings out;
        for (const auto& box : sub.messages.Shown()) out.push_back(box.text);
        return out;
    }

    std::string Stored(std::string_view key) const {
        for (auto it = store.Writes().rbegin(); it != store.Writes().rend(); ++it) {
            if (it->key == key) return it->value;
        }
        return "<not written>";
    }

    // A window of its own over the same services, loaded; its runs open `browser`.
    struct OwnWindow {
        OwnWindow(Rovandel2Test& t, platform::IBrowserFactory& browser)
            : logic({t.sub.windows, t.sub.Registry(), t.sub.files, t.store, t.shell, t.link, "Rovandel2", browser,
                     t.launcher, t.clock},
                    form) {
            form.logic = &logic;
            logic.Form_Load();
        }
        RecordingRovandel2 form;
        clRovandel2 logic;
    };

    SubstituteServices sub{"Rovandel2"};
    platform::ScriptedAutomation act;
    platform::FixedLocale locale{","};
    platform::MemorySettingsStore store;
    platform::ScriptedShellFolders shell;
    clACTApplication link{{act, sub.windows, sub.text, sub.messages, locale}, clACTApplication::Build::RoutePlanner};
    RecordingRovandel2 form;
    platform::ScriptedBrowser browsers;
    platform::RecordingShell launcher;
    platform::FakeClock clock;
    clRovandel2 logic{
        {sub.windows, sub.Registry(), sub.files, store, shell, link, "Rovandel2", browsers, launcher, clock}, form};
    std::map<std::string, Fields> contacts;
    std::string current = "K00000000002";
    std::string userId = "K00000000001";
    platform::WindowHandle actWindow = 0, mainWindow = 0;
};

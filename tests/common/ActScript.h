#pragma once
// A scripted ACT! for the link's tests: a main window so the presence test
// passes, an application object with its views collection, and views named
// "active", "contact" and "group" handed out fresh on every request.
#include <gtest/gtest.h>

#include <memory>

#include "common/clACTApplication.h"
#include "platform/Locale.h"
#include "platform/ScriptedAutomation.h"
#include "platform/SubstitutePlatform.h"

class ActLinkTest : public testing::Test {
protected:
    using Build = clACTApplication::Build;
    using Strings = std::vector<std::string>;

    ActLinkTest() {
        actWindow = sub.windows.Add("ACT3.0FrameClass", "ACT! - Demo-Datenbank");
        act.AnswerObject("app", "Views", "views");
        act.AnswerObject("views", "GetActive", "active");
        act.AnswerWith("views", "Create", [this](const std::vector<platform::AutoValue>& args) {
            const auto type = std::get<std::int16_t>(args.at(0));
            return act.Hand(type == 3 ? "group" : "contact");
        });
    }

    clACTApplication& Link(Build build = Build::Standard) {
        link = std::make_unique<clACTApplication>(
            clACTApplication::Services{act, sub.windows, sub.text, sub.messages, locale}, build);
        return *link;
    }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> out;
        for (const auto& box : sub.messages.Shown()) out.push_back(box.text);
        return out;
    }

    platform::SubstitutePlatform sub{"Rovandel2"};
    platform::ScriptedAutomation act;
    platform::FixedLocale locale{","};
    std::unique_ptr<clACTApplication> link;
    platform::WindowHandle actWindow = 0;
};

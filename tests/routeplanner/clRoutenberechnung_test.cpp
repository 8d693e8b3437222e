// The Start button's run over a scripted browser, a fake clock and a
// recording progress: what the user sees in which order, how long each
// wait lasts, what reaches the page, and how every failure ends.
#include "routeplanner/clRoutenberechnung.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/AppError.h"
#include "platform/RecordingShell.h"
#include "browser/ScriptedBrowser.h"
#include "routeplanner/ScriptedRouteProgress.h"
#include "routeplanner/modLinkadresse.h"

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgModality;
using platform::ScriptedBrowser;
using Strings = std::vector<std::string>;

namespace {

constexpr std::int64_t kStart = 1'000'400;  // the run starts in the middle of a second
const std::string kDefaultUrl = "https://www.fahrtweg.example/baseservices/do/routeService";

class RouteRun : public testing::Test {
protected:
    RouteRun() {
        ScriptedBrowser::Page page;
        page.elements = ScriptedBrowser::RouteForm();
        browsers.pages = {page};
    }

    ScriptedBrowser::Page& Page(std::size_t n = 0) { return browsers.pages.at(n); }
    ScriptedBrowser::Element& Field(int window, std::string_view id) {
        auto& elements = browsers.WindowAt(window).page.elements;
        return *std::find_if(elements.begin(), elements.end(), [&](const auto& e) { return e.id == id; });
    }
    // A page state that changes `ms` after the run started.
    std::function<bool()> Until(std::int64_t ms) {
        return [this, ms] { return clock.Milliseconds() < kStart + ms; };
    }
    std::function<bool()> From(std::int64_t ms) {
        return [this, ms] { return clock.Milliseconds() >= kStart + ms; };
    }
    void Run() { outcome = run.Run(request); }
    long long Polls(std::string_view call) const {
        return std::count(browsers.Calls().begin(), browsers.Calls().end(), std::string(call));
    }
    Strings BoxTexts() const {
        Strings out;
        for (const auto& box : progress.boxes.Shown()) out.push_back(box.text);
        return out;
    }

    // A second run of its own, on a browser of its own.
    RouteOutcome RunOn(ScriptedBrowser& browser, ScriptedRouteProgress& window, platform::IShell& launcher) {
        return clRoutenberechnung({browser, launcher, clock}, window).Run(request);
    }

    platform::FakeClock clock{kStart};
    ScriptedBrowser browsers;
    ScriptedRouteProgress progress{clock};
    platform::RecordingShell shell;
    clRoutenberechnung run{{browsers, shell, clock}, progress};
    RouteRequest request = TestRequest();
    RouteOutcome outcome;
};

using End = RouteOutcome::End;

const Strings kOpening = {"status öffne Internet Explorer...",
                          "progress 40",
                          "status öffne Internetseite...",
                          "progress 50",
                          "status öffne Internetseite....",
                          "progress 60",
                          "status öffne Internetseite.....",
                          "picture off",
                          "progress 70",
                          "status "};

Strings Concat(std::initializer_list<Strings> parts) {
    Strings out;
    for (const Strings& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

TEST_F(RouteRun, APageReadyAtOnceIsFilledAndSentAndTheBrowserIsLeftOpen) {
    Run();

    EXPECT_EQ(progress.Steps(),
              Concat({kOpening, {"progress 79", "progress 80", "status fülle Formular...", "progress 90"}}));
    EXPECT_EQ(outcome.end, End::Sent);
    EXPECT_FALSE(outcome.browserFailed);
    EXPECT_EQ(Field(1, "input_adress_start").value, "Hauptstraße 12, 80331 München, DEU");
    EXPECT_EQ(Field(1, "input_adress_dest").value, "Ring 5, 8001 Zürich, CHE");
    EXPECT_EQ(Field(1, "btn_calculate_route").clicks, 1);
    EXPECT_TRUE(progress.boxes.Shown().empty());

    // The form is looked for as soon as the document is complete: no wait.
    EXPECT_EQ(clock.Milliseconds(), kStart);
    const Strings calls = browsers.CallsWithoutPolls();
    EXPECT_EQ(
        Strings(calls.begin(), calls.begin() + 4),
        (Strings{"Create", "Visible=true", "Navigate(" + kDefaultUrl + ")", "getElementByID(header_form_route)"}));
    EXPECT_EQ(calls.back(), "Click");
    EXPECT_EQ(browsers.Created().size(), 1u);
    EXPECT_FALSE(browsers.WindowAt(1).quit);
    EXPECT_EQ(browsers.LiveReferences(), 0) << "the run lets the browser go";
}

TEST_F(RouteRun, TheRequestNamesTheAddressAndTheBrowser) {
    request.url = "http://127.0.0.1:8080/route";
    request.browser = "chrome";
    request.browserArguments = "--no-sandbox";
    Run();
    EXPECT_EQ(browsers.WindowAt(1).url, "http://127.0.0.1:8080/route");
    ASSERT_EQ(browsers.Created().size(), 1u);
    EXPECT_EQ(browsers.Created()[0].browser, "chrome");
    EXPECT_EQ(browsers.Created()[0].arguments, "--no-sandbox");
}

// Addresses that would run a program, open a file or run a script, and
// switches that open the browser's control channel: said, and no browser
// or shell is asked for anything.
TEST_F(RouteRun, OnlyWebAddressesAreOpenedAndNoSwitchOpensTheBrowsersControlChannel) {
    for (const std::string url :
         {"C:\\windows\\system32\\{start}\\..\\notepad.exe", "javascript:alert(1)", "file:///C:/x.html",
          "data:text/html,<b>x</b>", "ftp://host/x", "http:/nohost", "https://host/a b"}) {
        for (const std::string browser : {"", "Standard"}) {
            request.url = url;
            request.browser = browser;
            ScriptedRouteProgress window{clock};
            const RouteOutcome refused = RunOn(browsers, window, shell);
            ASSERT_EQ(window.boxes.Shown().size(), 1u) << url;
            EXPECT_EQ(window.boxes.Shown()[0].text, "Die Einstellung „URL“ enthält keine Webadresse:\r\n" + url +
                                                        "\r\n\r\nRovandel2 öffnet nur Adressen, die mit http:// "
                                                        "oder https:// beginnen.");
            EXPECT_EQ(refused.end, End::Failed);
        }
    }
    request.url = kDefaultUrl;
    request.browser = "chrome";
    const std::pair<std::string, std::string> switches[] = {
        {"--remote-debugging-port=9222", "--remote-debugging-port=9222"},
        {"--no-sandbox -Remote-Debugging-Port 9222", "-Remote-Debugging-Port"},
        {"\"--user-data-dir=C:\\Users\\u\\Chrome Daten\"", "--user-data-dir=C:\\Users\\u\\Chrome Daten"},
        {"/remote-debugging-pipe", "/remote-debugging-pipe"},
        {"--remote-allow-origins=*", "--remote-allow-origins=*"},
        {"--lang=de --remote-debugging-address=0.0.0.0", "--remote-debugging-address=0.0.0.0"},
    };
    for (const auto& [arguments, named] : switches) {
        request.browserArguments = arguments;
        ScriptedRouteProgress window{clock};
        const RouteOutcome refused = RunOn(browsers, window, shell);
        ASSERT_EQ(window.boxes.Shown().size(), 1u) << arguments;
        EXPECT_EQ(window.boxes.Shown()[0].text,
                  "Die Einstellung „BrowserArgumente“ enthält den Schalter\r\n" + named +
                      "\r\n\r\nEr öffnet oder ändert den Steuerkanal oder das Profil des Browsers. Rovandel2 "
                      "startet den Browser damit nicht.");
        EXPECT_EQ(refused.end, End::Failed);
    }
    EXPECT_TRUE(browsers.Created().empty());
    EXPECT_TRUE(shell.Calls().empty());

    // Switches of other names, and the default browser, which is given none, go on.
    request.browserArguments = "--remote-debugging-portal --user-data-directory=x --lang=de";
    Run();
    EXPECT_EQ(outcome.end, End::Sent);
    request.browser = "Standard";
    request.browserArguments = "--remote-debugging-port=9222";
    request.url = "https://maps.example/?from={start}&to={ziel}";
    Run();
    EXPECT_EQ(outcome.end, End::Sent);
}

TEST_F(RouteRun, AnAddressWithThePlaceholdersIsOpenedWithTheLinesInItAndNoFormIsLookedFor) {
    request.url = "https://www.openstreetmap.org/directions?from={start}&to={ziel}";
    request.destLine = "Rue \"A&B\" #3, 8001 Zürich, CHE";
    Run();

    EXPECT_EQ(progress.Steps(), Concat({Strings(kOpening.begin(), kOpening.begin() + 7), {"progress 90"}}));
    EXPECT_EQ(outcome.end, End::Sent);
    EXPECT_EQ(browsers.WindowAt(1).url,
              "https://www.openstreetmap.org/directions?from=Hauptstra%C3%9Fe%2012%2C%2080331%20M%C3%BCnchen%2C%20DEU"
              "&to=Rue%20%22A%26B%22%20%233%2C%208001%20Z%C3%BCrich%2C%20CHE");
    for (const std::string& call : browsers.CallsWithoutPolls()) {
        EXPECT_FALSE(call.starts_with("getElementByID")) << "no form phase: " << call;
    }
    EXPECT_EQ(clock.Milliseconds(), kStart) << "no wait for a form";
    EXPECT_FALSE(browsers.WindowAt(1).quit);
    EXPECT_EQ(browsers.LiveReferences(), 0);
    EXPECT_TRUE(progress.boxes.Shown().empty());
    EXPECT_TRUE(shell.Calls().empty());
}

TEST_F(RouteRun, TheDefaultBrowserGetsTheAddressThroughTheShellAndARefusalIsReported) {
    request.url = "https://maps.example/dir/?api=1&origin={start}&destination={ziel}";
    request.browser = "Standard";
    Run();
    EXPECT_TRUE(browsers.Created().empty());
    ASSERT_EQ(shell.Calls().size(), 1u);
    const platform::ShellExecuteRecord& call = shell.Calls()[0].record;
    EXPECT_EQ(call.owner, platform::RecordingShell::kDesktop);
    EXPECT_EQ(call.verb, std::optional<std::string>("open"));
    EXPECT_TRUE(call.file.starts_with("https://maps.example/dir/?api=1&origin=")) << call.file;
    EXPECT_NE(call.file.find("&destination=Ring%205%2C%208001%20Z%C3%BCrich%2C%20CHE"), std::string::npos) << call.file;
    EXPECT_EQ(call.show, 1);
    EXPECT_EQ(progress.Steps(), (Strings{"status öffne Internet Explorer...", "progress 40",
                                         "status öffne Internetseite...", "progress 50", "progress 90"}));
    EXPECT_EQ(outcome.end, End::Sent);
    EXPECT_TRUE(progress.boxes.Shown().empty());

    // No browser registered for web addresses: the shell's code is the number.
    platform::RecordingShell refusing;
    refusing.Answer(31);
    ScriptedRouteProgress window{clock};
    const RouteOutcome refused = RunOn(browsers, window, refusing);
    ASSERT_EQ(window.boxes.Shown().size(), 1u);
    EXPECT_EQ(window.boxes.Shown()[0].text,
              "Fehler in openWebseite\r\nFehlernummer: 31\r\nFehlerbeschreibung: Der Standardbrowser konnte die "
              "Internetseite nicht öffnen. Ist ein Browser als Standard eingerichtet?");
    EXPECT_EQ(refused.end, End::Failed);
    EXPECT_TRUE(refused.browserFailed);
}

TEST_F(RouteRun, AddressLinesTrimOnlyTheStreetAndKeepTheirSeparatorsWhenBoxesAreEmpty) {
    EXPECT_EQ(clRoutenberechnung::bildeAdresszeile(" Hauptstraße 12 ", "80331", "München", "DEU"),
              "Hauptstraße 12, 80331 München, DEU");
    EXPECT_EQ(clRoutenberechnung::bildeAdresszeile("", "", "", "AUT"), ",  , AUT");
    EXPECT_EQ(clRoutenberechnung::bildeAdresszeile("Weg 1", " 8001 ", " Zürich ", "CHE"),
              "Weg 1,  8001   Zürich , CHE");
    EXPECT_EQ(clRoutenberechnung::bildeAdresszeile("\tWeg 1\t", "1", "X", "DEU"), "\tWeg 1\t, 1 X, DEU")
        << "only blanks are trimmed";
}

TEST_F(RouteRun, FieldIdsInsideTheFormMatchInAnyLetterCaseAndTheFirstOfTwoWins) {
    Page().elements = {{.id = ""},
                       {.id = "Input_Adress_Start"},
                       {.id = "input_adress_start"},
                       {.id = "INPUT_ADRESS_DEST"},
                       {.id = "Btn_Calculate_Route"}};
    Run();
    const auto& elements = browsers.WindowAt(1).page.elements;
    EXPECT_EQ(elements[1].value, "Hauptstraße 12, 80331 München, DEU");
    EXPECT_EQ(elements[2].value, "");
    EXPECT_EQ(elements[3].value, "Ring 5, 8001 Zürich, CHE");
    EXPECT_EQ(elements[4].clicks, 1);
    EXPECT_TRUE(progress.boxes.Shown().empty());
    EXPECT_EQ(outcome.end, End::Sent);
}

const std::string kOffer = "Route stattdessen bei OpenStreetMap anzeigen?";

TEST_F(RouteRun, TheFormIsLookedUpByItsExactIdInTheDocument) {
    Page().formId = "Header_Form_Route";
    Run();
    EXPECT_EQ(BoxTexts(), (Strings{"Es wurde nicht das Start- und Ziel-Formular gefunden.\r\n"
                                   "Eventuell hat sich der Aufbau der Internetseite geändert.",
                                   kOffer}));
}

TEST_F(RouteRun, WhileTheBrowserIsBusyTheTicksAlternateThePictureOncePerSecondWithoutSpinning) {
    Page().busy = Until(10'000);
    Run();
    // Ticks at the seconds 1 000 001 to 1 000 010: odd ticks "on" (2), even "off" (1).
    EXPECT_EQ(progress.Only("picture"),
              (Strings{"picture 2", "picture 1", "picture 2", "picture 1", "picture 2", "picture 1", "picture 2",
                       "picture 1", "picture 2", "picture 1", "picture off"}));
    EXPECT_TRUE(progress.boxes.Shown().empty());
    // Polls pause for window events: at most one poll per 50 ms.
    EXPECT_LE(Polls("Busy"), 10'000 / clRoutenberechnung::kPollMs + 11);
    EXPECT_GE(Polls("Busy"), 10'000 / clRoutenberechnung::kPollMs);
    EXPECT_EQ(outcome.end, End::Sent);
}

TEST_F(RouteRun, AfterMoreThanThirtyTicksTheQuestionComesAndYesCountsAgain) {
    Page().busy = Until(50'000);
    std::vector<std::int64_t> askedAt;
    progress.boxes.onShow = [&](const platform::MessageBoxRequest&) {
        askedAt.push_back(clock.Milliseconds() - kStart);
    };
    Run();

    ASSERT_EQ(progress.boxes.Shown().size(), 1u);
    const auto& question = progress.boxes.Shown()[0];
    EXPECT_EQ(question.text, "Soll Rovandel2 noch weiter auf den Aufbau von der Internetseite warten?");
    EXPECT_EQ(question.title, "Rovandel2");
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.modality, MsgModality::System);
    // The 31st tick comes with the 31st new second after the start; the
    // question right after the pause that follows it.
    ASSERT_EQ(askedAt.size(), 1u);
    EXPECT_EQ(askedAt[0], 31'000 - 400 + clRoutenberechnung::kPollMs);
    const Strings pictures = progress.Only("picture");
    EXPECT_EQ(std::count(pictures.begin(), pictures.end(), "picture 2") +
                  std::count(pictures.begin(), pictures.end(), "picture 1"),
              50);
    EXPECT_EQ(outcome.end, End::Sent);
    EXPECT_FALSE(browsers.WindowAt(1).quit);
    EXPECT_EQ(Field(1, "btn_calculate_route").clicks, 1);
}

TEST_F(RouteRun, AnsweringNoQuitsTheBrowserAndEndsTheRunWithoutAnotherMessage) {
    for (int phase = 0; phase < 2; ++phase) {
        SCOPED_TRACE(phase == 0 ? "busy phase" : "document phase");
        ScriptedBrowser browser;
        ScriptedBrowser::Page page;
        if (phase == 0)
            page.busy = [] { return true; };
        else
            page.readyState = [] { return std::string("interactive"); };
        browser.pages = {page};
        ScriptedRouteProgress window{clock};
        window.boxes.QueueAnswer(MsgAnswer::Yes);
        window.boxes.QueueAnswer(MsgAnswer::No);
        const RouteOutcome ended = RunOn(browser, window, shell);

        EXPECT_EQ(window.boxes.Shown().size(), 2u);
        EXPECT_TRUE(browser.WindowAt(1).quit);
        EXPECT_EQ(ended.end, End::Failed);
        EXPECT_EQ(window.Only("progress").back(), phase == 0 ? "progress 50" : "progress 60");
        EXPECT_EQ(browser.CallsWithoutPolls().back(), "quit");
        EXPECT_FALSE(ended.browserFailed) << "giving up is no failure of the browser";
    }
}

TEST_F(RouteRun, AFormThatAppearsLaterIsFoundWithinAPollAndTheProgressStepsAtTheOldCheckMoments) {
    Page().formThere = From(4100);
    Run();
    EXPECT_EQ(progress.Only("progress"), (Strings{"progress 40", "progress 50", "progress 60", "progress 70",
                                                  "progress 71", "progress 79", "progress 80", "progress 90"}));
    EXPECT_EQ(clock.Milliseconds(), kStart + 4200) << "polls every 200 ms";
    EXPECT_EQ(Field(1, "btn_calculate_route").clicks, 1);
    EXPECT_EQ(Polls("getElementByID(header_form_route)"), 4200 / clRoutenberechnung::kFormPollMs + 1 + 1)
        << "from 0 ms on, and once more to fill it";
}

TEST_F(RouteRun, AFormWithoutItsFieldsYetIsAwaitedUntilTheLastCheckThenThePageCountsAsChanged) {
    Page().elements = {{.id = "input_adress_start"}, {.id = "btn_calculate_route"}};
    ScriptedBrowser::Page contact;
    contact.formThere = [] { return false; };
    browsers.pages.push_back(contact);
    std::int64_t shownAt = -1;
    progress.boxes.onShow = [&](const platform::MessageBoxRequest&) {
        if (shownAt < 0) shownAt = clock.Milliseconds() - kStart;
    };
    progress.boxes.QueueAnswer(MsgAnswer::Ok);
    progress.boxes.QueueAnswer(MsgAnswer::No);
    Run();
    EXPECT_EQ(shownAt, 14'000) << "the destination field may still come";
    EXPECT_EQ(
        Strings(progress.log.begin() + 6, progress.log.begin() + 18),
        (Strings{"status öffne Internetseite.....", "picture off", "progress 70", "status ", "progress 71",
                 "progress 72", "progress 73", "progress 74", "progress 75", "progress 80", "status fülle Formular...",
                 "box Das Formular auf der Internetseite von Fahrtweg hat sich "
                 "verändert."}));
    EXPECT_EQ(Field(1, "input_adress_start").value, "Hauptstraße 12, 80331 München, DEU");
    EXPECT_EQ(Field(1, "btn_calculate_route").clicks, 0);
    EXPECT_EQ(outcome.end, End::Failed);
}

TEST_F(RouteRun, AFormThatNeverAppearsIsCheckedFiveTimesThenReportedAndTheBrowserStaysOpen) {
    Page().formThere = [] { return false; };
    progress.boxes.QueueAnswer(MsgAnswer::Ok);
    progress.boxes.QueueAnswer(MsgAnswer::No);
    Run();
    EXPECT_EQ(progress.Only("progress"),
              (Strings{"progress 40", "progress 50", "progress 60", "progress 70", "progress 71", "progress 72",
                       "progress 73", "progress 74", "progress 75", "progress 80"}));
    EXPECT_EQ(clock.Milliseconds(), kStart + 14'000);
    ASSERT_EQ(progress.boxes.Shown().size(), 2u);
    EXPECT_EQ(progress.boxes.Shown()[0].icon, MsgIcon::Information);
    EXPECT_EQ(progress.boxes.Shown()[0].modality, MsgModality::System);
    EXPECT_EQ(progress.boxes.Shown()[1].text, kOffer);
    EXPECT_EQ(outcome.end, End::Failed);
    EXPECT_TRUE(outcome.browserFailed) << "the offer declined: exit code 1";
    EXPECT_FALSE(browsers.WindowAt(1).quit);
    // At once and every 200 ms up to 14 s, then once more before the message.
    EXPECT_EQ(Polls("getElementByID(header_form_route)"), 14'000 / clRoutenberechnung::kFormPollMs + 1 + 1);
}

const std::string kPageChanged =
    "Das Formular auf der Internetseite von Fahrtweg hat sich verändert.\r\n"
    "Das Programm Rovandel2 muß daher angepaßt werden.\r\n"
    "Bitte informieren Sie den Hersteller Brannock-Heyl.\r\n"
    "(www.brannock-heyl.example)";

TEST_F(RouteRun, ValuesThatAreGoneOrChangedBeforeTheClickAreSetOnceMoreIntoTheFormFoundAnew) {
    struct Case {
        const char* name;
        // what the page does right after the values are written
        std::function<void(ScriptedBrowser&, int& build)> pageAct;
        long long writes;  // Value= calls
        long long reads;  // before the click
    };
    const Case cases[] = {
        {"kept", [](ScriptedBrowser&, int&) {}, 2, 2},
        {"the form rebuilt", [](ScriptedBrowser&, int& build) { build = 1; }, 4, 1},
        {"a value changed by the page",
         [](ScriptedBrowser& b, int&) { b.WindowAt(1).page.elements[1].value = "Ring 5"; }, 4, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedBrowser browser;
        ScriptedBrowser::Page page;
        page.elements = ScriptedBrowser::RouteForm();
        int build = 0;
        page.formBuild = [&] { return build; };
        browser.pages = {page};
        ScriptedRouteProgress window{clock};
        bool acted = false;
        window.onEvents = [&] {
            if (!acted && !window.log.empty() && window.log.back() == "progress 90") {
                acted = true;
                c.pageAct(browser, build);
            }
        };
        const RouteOutcome ended = RunOn(browser, window, shell);

        EXPECT_TRUE(acted);
        EXPECT_TRUE(window.boxes.Shown().empty());
        EXPECT_EQ(ended.end, End::Sent);
        const auto& elements = browser.WindowAt(1).page.elements;
        EXPECT_EQ(elements[0].value, "Hauptstraße 12, 80331 München, DEU");
        EXPECT_EQ(elements[1].value, "Ring 5, 8001 Zürich, CHE");
        EXPECT_EQ(elements[2].clicks, 1) << "the button of the form the page has now";
        const Strings calls = browser.CallsWithoutPolls();
        EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                                [](const std::string& call) { return call.starts_with("Value="); }),
                  c.writes);
        // Read back after the writes, before the click.
        const auto click = std::find(calls.begin(), calls.end(), "Click");
        ASSERT_NE(click, calls.end());
        EXPECT_EQ(std::count(calls.begin(), click, "ReadValue"), c.reads) << "a start found gone needs no second read";
        EXPECT_EQ(browser.LiveReferences(), 0);
    }
}

TEST_F(RouteRun, AFormRebuiltWithoutItsFieldsBeforeTheClickCountsAsAChangedPage) {
    int build = 0;
    Page().formBuild = [&] { return build; };
    ScriptedBrowser::Page contact;
    contact.formThere = [] { return false; };
    browsers.pages.push_back(contact);
    progress.onEvents = [&] {
        if (build == 0 && !progress.log.empty() && progress.log.back() == "progress 90") {
            build = 1;
            browsers.WindowAt(1).page.elements = {{.id = "btn_calculate_route"}};
        }
    };
    progress.boxes.QueueAnswer(MsgAnswer::Ok);
    progress.boxes.QueueAnswer(MsgAnswer::No);
    Run();
    EXPECT_EQ(BoxTexts(), (Strings{kPageChanged, kOffer}));
    EXPECT_EQ(browsers.Windows(), 2);
    EXPECT_EQ(browsers.WindowAt(1).page.elements[0].clicks, 0);
    EXPECT_EQ(outcome.end, End::Failed);
}

TEST_F(RouteRun, AMissingOrUnsettableFieldOpensTheMakersContactPageInASecondWindow) {
    struct Case {
        const char* name;
        std::vector<ScriptedBrowser::Element> elements;
        bool valueFails = false;
    };
    const Case cases[] = {
        {"start missing", {{.id = "input_adress_dest"}, {.id = "btn_calculate_route"}}},
        {"destination missing", {{.id = "input_adress_start"}, {.id = "btn_calculate_route"}}},
        {"start takes no value", {{.id = "input_adress_start", .takesValue = false}, {.id = "input_adress_dest"}}},
        {"the browser fails on the second value", ScriptedBrowser::RouteForm(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedBrowser browser;
        ScriptedBrowser::Page page;
        page.elements = c.elements;
        ScriptedBrowser::Page contact;
        contact.formThere = [] { return false; };
        browser.pages = {page, contact};
        if (c.valueFails) browser.Fail("Value", AppError(438, "Objekt unterstützt diese Eigenschaft nicht"), 1, 1);
        ScriptedRouteProgress window{clock};
        window.boxes.QueueAnswer(MsgAnswer::Ok);
        window.boxes.QueueAnswer(MsgAnswer::No);
        const RouteOutcome ended = RunOn(browser, window, shell);

        ASSERT_EQ(window.boxes.Shown().size(), 2u);
        EXPECT_EQ(window.boxes.Shown()[0].text, kPageChanged);
        EXPECT_EQ(window.boxes.Shown()[0].icon, MsgIcon::Exclamation);
        ASSERT_EQ(browser.Windows(), 2);
        EXPECT_EQ(browser.WindowAt(2).url, "https://www.brannock-heyl.example/kontakt");
        EXPECT_TRUE(browser.WindowAt(2).visible);
        EXPECT_FALSE(browser.WindowAt(1).quit);
        EXPECT_FALSE(browser.WindowAt(2).quit);
        // The second window goes through the whole waiting procedure again.
        const Strings progress = window.Only("progress");
        EXPECT_EQ(Strings(progress.end() - 9, progress.end()),
                  (Strings{"progress 40", "progress 50", "progress 60", "progress 70", "progress 71", "progress 72",
                           "progress 73", "progress 74", "progress 75"}));
        EXPECT_EQ(ended.end, End::Failed);
        EXPECT_TRUE(ended.browserFailed);
        EXPECT_EQ(browser.WindowAt(1).page.elements.back().clicks, 0);
    }
}

TEST_F(RouteRun, AMissingOrStuckButtonIsReportedAndTheWindowClosesButTheExitCodeSaysNoRoute) {
    const std::string message =
        "Die Schaltfläche zum Berechnen der Route konnte nicht gedrückt werden.\r\n"
        "Bitte teilen Sie das dem Hersteller Brannock-Heyl (www.brannock-heyl.example) mit, damit er das Programm "
        "anpassen kann.\r\nVielen Dank!";
    for (bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing" : "not clickable");
        ScriptedBrowser browser;
        ScriptedBrowser::Page page;
        page.elements = {{.id = "input_adress_start"}, {.id = "input_adress_dest"}};
        if (!missing) page.elements.push_back({.id = "btn_calculate_route", .clickable = false});
        browser.pages = {page};
        ScriptedRouteProgress window{clock};
        const RouteOutcome ended = RunOn(browser, window, shell);

        ASSERT_EQ(window.boxes.Shown().size(), 1u);
        EXPECT_EQ(window.boxes.Shown()[0].text, message);
        EXPECT_EQ(window.boxes.Shown()[0].icon, MsgIcon::Information);
        EXPECT_EQ(browser.WindowAt(1).page.elements[0].value, "Hauptstraße 12, 80331 München, DEU");
        const Strings steps = window.Steps();
        EXPECT_EQ(steps.back(), "box Die Schaltfläche zum Berechnen der Route konnte nicht gedrückt werden.");
        EXPECT_EQ(ended.end, End::Sent);
        EXPECT_TRUE(ended.browserFailed) << "no click, no route: exit code 1";
        EXPECT_EQ(browser.Windows(), 1);
    }
}

// Chromium's connection breaks or times out or its page's window closed,
// Internet Explorer's process is gone: at every step of the filling that is said as such, never as a page
// that changed, and the run fails without a second window.
TEST_F(RouteRun, ABrowserLostWhileTheFormIsFilledIsSaidAsSuchAndTheRunFails) {
    // The call that fails (after that many went well) and the error number it fails with.
    const std::tuple<const char*, int, std::int32_t> cases[] = {
        {"getElementByID", 1, 12030}, {"Value", 0, 12030},       {"Value", 1, 12002},  {"ReadValue", 0, 12030},
        {"Click", 0, 12030},          {"Click", 0, -2147023174}, {"Click", 0, -32001},
    };
    for (const auto& [call, after, number] : cases) {
        SCOPED_TRACE(std::string(call) + " " + std::to_string(number));
        ScriptedBrowser browser;
        browser.pages = browsers.pages;
        browser.Fail(call, AppError(number, "weg"), 1, after);
        ScriptedRouteProgress window{clock};
        const RouteOutcome ended = RunOn(browser, window, shell);

        ASSERT_EQ(window.boxes.Shown().size(), 1u);
        EXPECT_EQ(window.boxes.Shown()[0].text,
                  "Der Browser ist nicht mehr erreichbar; die Route wurde nicht berechnet.\r\nFehlernummer: " +
                      std::to_string(number) + "\r\nFehlerbeschreibung: weg");
        EXPECT_EQ(ended.end, End::Failed);
        EXPECT_TRUE(ended.browserFailed) << "exit code 1";
        EXPECT_EQ(browser.Windows(), 1) << "no maker's page";
        EXPECT_EQ(browser.WindowAt(1).page.elements.back().clicks, 0);
    }
}

TEST_F(RouteRun, ABrowserThatCannotBeCreatedOrFailsLaterIsReportedAndTheRunFails) {
    struct Case {
        const char* name;
        std::function<void(ScriptedBrowser&)> fault;
        std::string routine;
    };
    const Case cases[] = {
        {"not created",
         [](ScriptedBrowser& b) { b.createFails = AppError(-2147221005, "Ungültige Klassenzeichenfolge"); },
         "openWebseite"},
        {"navigation refused",
         [](ScriptedBrowser& b) {
             b.Fail("Navigate", AppError(-32000, "Der Browser hat den Befehl Page.navigate abgelehnt: x"));
         },
         "openWebseite"},
        {"closed while busy",
         [](ScriptedBrowser& b) { b.Fail("Busy", AppError(12030, "Die Verbindung ist abgebrochen."), 1, 3); },
         "openWebseite"},
        {"closed in the form phase", [](ScriptedBrowser& b) { b.Fail("getElementByID", AppError(12030, "weg")); },
         "openWebseite"},
        {"refused before filling",
         [](ScriptedBrowser& b) { b.Fail("getElementByID", AppError(-32000, "abgelehnt"), 1, 1); }, "sucheFormular"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedBrowser browser;
        ScriptedBrowser::Page page;
        page.busy = [this, end = clock.Milliseconds() + 3000] { return clock.Milliseconds() < end; };
        page.elements = ScriptedBrowser::RouteForm();
        browser.pages = {page};
        c.fault(browser);
        ScriptedRouteProgress window{clock};
        const RouteOutcome ended = RunOn(browser, window, shell);

        ASSERT_EQ(window.boxes.Shown().size(), 1u);
        const auto& box = window.boxes.Shown()[0];
        const bool created = !browser.createFails;
        EXPECT_TRUE(box.text.starts_with("Fehler in " + c.routine + "\r\nFehlernummer: ")) << box.text;
        if (!created) {
            EXPECT_EQ(box.text,
                      "Fehler in openWebseite\r\nFehlernummer: -2147221005\r\n"
                      "Fehlerbeschreibung: Ungültige Klassenzeichenfolge");
        }
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        EXPECT_EQ(ended.end, End::Failed);
        if (c.routine == "openWebseite") {
            EXPECT_EQ(window.Steps().back(), "status ") << "the status is cleared";
        }
        EXPECT_EQ(browser.Windows(), created ? 1 : 0);
        EXPECT_TRUE(ended.browserFailed) << "the exit code tells of it";
        if (created) {
            EXPECT_FALSE(browser.WindowAt(1).quit);
        }
    }
}

// --- a planner that cannot be reached ---------------------------------------------

using platform::LoadFailure;
using platform::LoadFailureKind;

const std::string kOpenStreetMapRoute =
    "https://www.openstreetmap.org/directions?from=Hauptstra%C3%9Fe%2012%2C%2080331%20M%C3%BCnchen%2C%20DEU"
    "&to=Ring%205%2C%208001%20Z%C3%BCrich%2C%20CHE";

TEST_F(RouteRun, AnUnreachablePlannerIsSaidWithinAPollOfTheReportInEveryPhaseAndNoEndsItFailed) {
    struct Case {
        const char* phase;
        std::function<void(ScriptedBrowser::Page&)> holdIn;
        std::int64_t poll;
    };
    const Case cases[] = {
        {"busy", [](ScriptedBrowser::Page& p) { p.busy = [] { return true; }; }, clRoutenberechnung::kPollMs},
        {"document", [](ScriptedBrowser::Page& p) { p.readyState = [] { return std::string("loading"); }; },
         clRoutenberechnung::kPollMs},
        {"form", [](ScriptedBrowser::Page& p) { p.formThere = [] { return false; }; }, clRoutenberechnung::kFormPollMs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phase);
        const std::int64_t reportedAt = clock.Milliseconds() + 3'330;
        ScriptedBrowser browser;
        ScriptedBrowser::Page page;
        page.elements = ScriptedBrowser::RouteForm();
        c.holdIn(page);
        page.failure = [&]() -> std::optional<LoadFailure> {
            if (clock.Milliseconds() < reportedAt) return std::nullopt;
            return LoadFailure{LoadFailureKind::NameNotResolved, "ERR_NAME_NOT_RESOLVED"};
        };
        browser.pages = {page};
        ScriptedRouteProgress window{clock};
        std::int64_t shownAt = 0;
        window.boxes.onShow = [&](const platform::MessageBoxRequest&) { shownAt = clock.Milliseconds(); };
        window.boxes.QueueAnswer(MsgAnswer::No);
        const RouteOutcome ended = RunOn(browser, window, shell);

        ASSERT_EQ(window.boxes.Shown().size(), 1u);
        const auto& box = window.boxes.Shown()[0];
        EXPECT_EQ(box.text,
                  "Der Routenplaner www.fahrtweg.example ist nicht erreichbar: Der Name des Servers wurde nicht "
                  "gefunden.\r\n" +
                      kOffer);
        EXPECT_EQ(box.icon, MsgIcon::Question);
        EXPECT_EQ(box.buttons, MsgButtons::YesNo);
        EXPECT_EQ(box.modality, MsgModality::System);
        EXPECT_GE(shownAt, reportedAt);
        EXPECT_LE(shownAt - reportedAt, c.poll) << "not at the last form check";
        EXPECT_EQ(ended.end, End::Failed);
        EXPECT_TRUE(ended.browserFailed) << "exit code 1";
        EXPECT_EQ(browser.WindowAt(1).url, kDefaultUrl) << "the window left as it is";
    }
}

TEST_F(RouteRun, YesShowsTheRouteAtOpenStreetMapInTheSameWindowAndTheRunCountsAsSent) {
    for (const char* planner : {"form page", "Google Maps"}) {
        SCOPED_TRACE(planner);
        RouteRequest asked = request;
        if (planner == std::string("Google Maps")) {
            asked.url = "https://www.google.com/maps/dir/?api=1&origin={start}&destination={ziel}";
        }
        ScriptedBrowser browser;
        ScriptedBrowser::Page page;
        page.failure = [] { return LoadFailure{LoadFailureKind::ConnectionRefused, "ERR_CONNECTION_REFUSED"}; };
        browser.pages = {page};
        ScriptedRouteProgress window{clock};
        window.boxes.QueueAnswer(MsgAnswer::Yes);
        const RouteOutcome ended = clRoutenberechnung({browser, shell, clock}, window).Run(asked);

        ASSERT_EQ(window.boxes.Shown().size(), 1u);
        EXPECT_TRUE(window.boxes.Shown()[0].text.ends_with("Der Server hat die Verbindung abgelehnt.\r\n" + kOffer));
        EXPECT_EQ(ended.end, End::Sent);
        EXPECT_FALSE(ended.browserFailed);
        ASSERT_EQ(browser.Windows(), 1);
        const Strings calls = browser.CallsWithoutPolls();
        EXPECT_EQ(Strings(calls.end() - 2, calls.end()),
                  (Strings{"Navigate(" + kOpenStreetMapRoute + ")", "Visible=true"}));
    }
}

TEST_F(RouteRun, OpenStreetMapItselfUnreachableIsOnlyReported) {
    request.url = "https://WWW.OpenStreetMap.org:443/directions?from={start}&to={ziel}";
    Page().failure = [] { return LoadFailure{LoadFailureKind::Offline, "ERR_INTERNET_DISCONNECTED"}; };
    Run();
    ASSERT_EQ(progress.boxes.Shown().size(), 1u);
    EXPECT_EQ(progress.boxes.Shown()[0].text,
              "Der Routenplaner www.openstreetmap.org ist nicht erreichbar: Dieser Computer ist nicht mit dem "
              "Internet verbunden.");
    EXPECT_EQ(progress.boxes.Shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(progress.boxes.Shown()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(outcome.end, End::Failed);
    EXPECT_TRUE(outcome.browserFailed);
    EXPECT_EQ(browsers.WindowAt(1).url, modLinkadresse::Einsetzen(request.url, request.startLine, request.destLine))
        << "sent nowhere else";
}

TEST_F(RouteRun, APageThatLoadedWithoutItsFormOffersOpenStreetMapAndYesShowsItInTheFirstWindow) {
    struct Case {
        const char* name;
        std::function<void(ScriptedBrowser::Page&)> spoil;
        std::string message;
    };
    const Case cases[] = {
        {"no form", [](ScriptedBrowser::Page& p) { p.formThere = [] { return false; }; },
         "Es wurde nicht das Start- und Ziel-Formular gefunden.\r\n"
         "Eventuell hat sich der Aufbau der Internetseite geändert."},
        {"changed", [](ScriptedBrowser::Page& p) { p.elements = {{.id = "input_adress_start"}}; }, kPageChanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedBrowser browser;
        ScriptedBrowser::Page page;
        page.elements = ScriptedBrowser::RouteForm();
        c.spoil(page);
        browser.pages = {page};
        ScriptedRouteProgress window{clock};
        window.boxes.QueueAnswer(MsgAnswer::Ok);
        window.boxes.QueueAnswer(MsgAnswer::Yes);
        const RouteOutcome ended = RunOn(browser, window, shell);

        ASSERT_EQ(window.boxes.Shown().size(), 2u);
        EXPECT_EQ(window.boxes.Shown()[0].text, c.message);
        EXPECT_EQ(window.boxes.Shown()[1].text, kOffer);
        EXPECT_EQ(window.boxes.Shown()[1].buttons, MsgButtons::YesNo);
        EXPECT_EQ(ended.end, End::Sent);
        EXPECT_FALSE(ended.browserFailed);
        EXPECT_EQ(browser.Windows(), 1) << "no contact page";
        EXPECT_EQ(browser.WindowAt(1).url, kOpenStreetMapRoute);
    }
}

TEST_F(RouteRun, EscapeWhileWaitingEndsTheRunAtOnceWithoutAsking) {
    Page().busy = [] { return true; };
    progress.onEvents = [this] {
        if (clock.Milliseconds() >= kStart + 5000) progress.ended = true;
    };
    Run();
    EXPECT_TRUE(progress.boxes.Shown().empty());
    EXPECT_EQ(outcome.end, End::Ended);
    EXPECT_FALSE(browsers.WindowAt(1).quit);
    EXPECT_LT(clock.Milliseconds(), kStart + 5100);
}

TEST_F(RouteRun, EscapeInTheWaitingQuestionEndsTheRunWithoutQuittingTheBrowser) {
    Page().busy = [] { return true; };
    progress.boxes.onShow = [this](const platform::MessageBoxRequest&) { progress.ended = true; };
    progress.boxes.QueueAnswer(MsgAnswer::No);
    Run();
    EXPECT_EQ(progress.boxes.Shown().size(), 1u);
    EXPECT_FALSE(browsers.WindowAt(1).quit);
    EXPECT_EQ(outcome.end, End::Ended);
}

}  // namespace

// --- the program ending in the middle of a run --------------------------------------

// One run of a page that ends the program at its `endAt`-th chance (0:
// never). The chances are every time the window's events run (in the run's
// status messages, waits and pauses), every box while it is shown, and every
// look at the page (a browser call lets the window's events run too).
struct EndingRun {
    struct Page {
        const char* name;
        std::size_t boxes;  // that the whole run shows
        std::function<void(EndingRun&)> setUp;
        std::function<void(EndingRun&)> duringEvents = [](EndingRun&) {};
    };

    EndingRun(const Page& page, int endAt) {
        browser.pages = {ScriptedBrowser::Page{}};
        browser.pages[0].elements = ScriptedBrowser::RouteForm();
        page.setUp(*this);
        const auto chance = [this, endAt](bool inBrowserCall) {
            if (++chances != endAt) return;
            window.ended = true;
            callsAtEnd = browser.Calls().size();
            shellCallsAtEnd = shell.Calls().size();
            endedInBrowserCall = inBrowserCall;
        };
        window.onEvents = [this, &page, chance] {
            EXPECT_FALSE(window.ended) << "the window's events ran again after the end";
            chance(false);
            page.duringEvents(*this);
        };
        window.boxes.onShow = [this, chance](const platform::MessageBoxRequest&) {
            if (firstBox == 0) firstBox = chances + 1;
            chance(false);
        };
        for (ScriptedBrowser::Page& shown : browser.pages) {
            shown.busy = [busy = shown.busy, chance] { return chance(true), busy(); };
            shown.readyState = [readyState = shown.readyState, chance] { return chance(true), readyState(); };
            shown.formThere = [formThere = shown.formThere, chance] { return chance(true), formThere(); };
            shown.formBuild = [formBuild = shown.formBuild, chance] { return chance(true), formBuild(); };
        }
        outcome = clRoutenberechnung({browser, shell, clock}, window).Run(request);
    }

    std::function<bool()> Until(std::int64_t ms) {
        return [this, ms] { return clock.Milliseconds() < kStart + ms; };
    }

    platform::FakeClock clock{kStart};
    ScriptedBrowser browser;
    ScriptedRouteProgress window{clock};
    platform::RecordingShell shell;
    RouteRequest request = TestRequest();
    int build = 0;  // the page's form: rebuilt when this changes
    int chances = 0;
    int firstBox = 0;  // the chance the first box was
    std::size_t callsAtEnd = 0, shellCallsAtEnd = 0;
    bool endedInBrowserCall = false;
    RouteOutcome outcome;

    // What the run asked of the browser after the program had ended.
    Strings CallsAfterTheEnd() const {
        return Strings(browser.Calls().begin() + static_cast<std::ptrdiff_t>(callsAtEnd), browser.Calls().end());
    }
};

TEST(RouteRunEnding, AtEveryChanceTheRunEndsThereAndShowsNothingMore) {
    const EndingRun::Page pages[] = {
        {"a page that loads slowly", 0,
         [](EndingRun& r) {
             ScriptedBrowser::Page& page = r.browser.pages[0];
             page.busy = r.Until(2500);
             page.readyState = [busy = r.Until(4500)] { return std::string(busy() ? "interactive" : "complete"); };
             page.formThere = [late = r.Until(5300)] { return !late(); };
             r.window.timeScale = 5;
         }},
        {"a page that rebuilds its form after the writing", 0,
         [](EndingRun& r) { r.browser.pages[0].formBuild = [&r] { return r.build; }; },
         [](EndingRun& r) {
             if (!r.window.log.empty() && r.window.log.back() == "progress 90") r.build = 1;
         }},
        {"a page so slow that the question comes", 1,
         [](EndingRun& r) {
             r.browser.pages[0].busy = r.Until(40'000);
             r.window.boxes.QueueAnswer(MsgAnswer::Yes);
             r.window.timeScale = 20;
         }},
        {"a page that has changed", 2,
         [](EndingRun& r) {
             r.browser.pages[0].elements = {{.id = "input_adress_start"}, {.id = "btn_calculate_route"}};
             ScriptedBrowser::Page contact;
             contact.formThere = [] { return false; };
             r.browser.pages.push_back(contact);
             r.window.timeScale = 10;
         }},
        {"a page without its form", 2,
         [](EndingRun& r) {
             r.browser.pages[0].formThere = [] { return false; };
             r.window.timeScale = 10;
         }},
        {"a page without the button", 1,
         [](EndingRun& r) {
             r.browser.pages[0].elements = {{.id = "input_adress_start"}, {.id = "input_adress_dest"}};
         }},
        {"a planner that cannot be reached, the offer declined", 1,
         [](EndingRun& r) {
             r.browser.pages[0].readyState = [busy = r.Until(1500)] {
                 return std::string(busy() ? "interactive" : "complete");
             };
             r.browser.pages[0].failure = [notYet = r.Until(1200)]() -> std::optional<platform::LoadFailure> {
                 if (notYet()) return std::nullopt;
                 return platform::LoadFailure{platform::LoadFailureKind::TimedOut, "ERR_TIMED_OUT"};
             };
             r.window.boxes.QueueAnswer(MsgAnswer::No);
         }},
        {"a browser that fails while the page loads", 1,
         [](EndingRun& r) {
             r.browser.pages[0].busy = r.Until(3000);
             r.browser.Fail("Busy", AppError(12030, "Die Verbindung ist abgebrochen."), 1, 30);
         }},
        {"an address with the lines in it", 0,
         [](EndingRun& r) { r.request.url = "https://maps.example/dir/?from={start}&to={ziel}"; }},
        {"an address with the lines in it, in the default browser", 0,
         [](EndingRun& r) {
             r.request.url = "https://maps.example/dir/?from={start}&to={ziel}";
             r.request.browser = "Standard";
         }},
    };
    for (const EndingRun::Page& page : pages) {
        SCOPED_TRACE(page.name);
        EndingRun whole(page, 0);
        ASSERT_NE(whole.outcome.end, End::Ended);
        ASSERT_GE(whole.chances, 3);
        EXPECT_EQ(whole.window.boxes.Shown().size(), page.boxes);
        for (int endAt = 1; endAt <= whole.chances; ++endAt) {
            SCOPED_TRACE("ended at chance " + std::to_string(endAt) + " of " + std::to_string(whole.chances));
            EndingRun ending(page, endAt);
            EXPECT_TRUE(ending.window.ended);
            EXPECT_EQ(ending.outcome.end, End::Ended);
            EXPECT_EQ(ending.outcome.browserFailed, whole.outcome.browserFailed && endAt >= whole.firstBox)
                << "a failure of the browser counts once it has happened";
            for (int n = 1; n <= ending.browser.Windows(); ++n) {
                EXPECT_FALSE(ending.browser.WindowAt(n).quit) << "the browser stays as it is";
            }
            // Within a browser call the step under way may finish; no new one begins.
            for (const std::string& call : ending.CallsAfterTheEnd()) {
                EXPECT_TRUE(ending.endedInBrowserCall) << "the browser asked after the end: " << call;
                EXPECT_FALSE(call.starts_with("Create") || call.find("Navigate") != std::string::npos) << call;
            }
            EXPECT_EQ(ending.shell.Calls().size(), ending.shellCallsAtEnd) << "the shell asked after the end";
            if (::testing::Test::HasFailure()) return;
        }
    }
}

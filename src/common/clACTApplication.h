#pragma once
// The link to a running ACT! through its automation object
// "ACTOLE.APPOBJECT". Every operation builds the chain of automation objects
// it needs from nothing, makes its calls and drops every reference again, so
// ACT! may be restarted between two operations. Nothing of ACT!'s leaves the
// class: operations take and give texts, numbers and truth values.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Automation.h"
#include "platform/Locale.h"
#include "platform/MessageBoxes.h"
#include "platform/TextCodec.h"
#include "platform/WindowSystem.h"

class clACTApplication {
public:
    // The route planner carries its own variant of the class: a few group
    // operations report ACT!'s error, its contact lookup does not widen to all
    // contacts first, and its field access keeps the references it took.
    enum class Build { Standard, RoutePlanner };

    // Receives progress text (a label, a status-bar panel); empty: none.
    using StatusText = std::function<void(const std::string&)>;

    // What the link works with: ACT!'s automation object, the window list
    // (the presence test, and the window events that its waits let run),
    // the code page the presence test compares in, the boxes of its questions
    // and warnings, and the number format of the field values it hands on.
    struct Services {
        platform::IAutomation& automation;
        platform::IWindowSystem& windows;
        platform::ITextCodec& text;
        platform::IMessageBoxes& boxes;
        platform::ILocale& locale;
    };

    explicit clACTApplication(Services services, Build build = Build::Standard);
    clACTApplication(const clACTApplication&) = delete;
    clACTApplication& operator=(const clACTApplication&) = delete;
    ~clACTApplication();

    // Both builds.
    bool ACTgestartet();
    std::string ACTDatenbank();
    std::string AktuelleGruppenID();
    std::string AktuelleKontaktID();
    std::int32_t AktuelleFeldID();
    bool setFeldwert(std::string_view Feldtyp, std::int32_t FeldID, std::string_view Wert);
    std::string getBenutzerID();
    std::string getFeldwert(std::string_view Feldtyp, std::int32_t FeldID);
    bool bildeKontaktSuche(std::string_view UniqueIDs);
    bool neuerKontakt();
    bool gehezuKonatkt(std::string_view UniqueID);
    bool ordneKonatktzuGruppe(std::string_view UniqueID);
    std::string ACTVersion();
    std::int32_t aktuellerViewTyp();

    // Standard build only; the route planner's build raises AppError 438.
    std::string getIDsAktuelleSuche(const StatusText& Status = {});
    void Zeigen();
    std::string AktuellerBenutzerName();
    bool GroupExist(std::string_view Gruppenname);
    bool ShowGroupByName(std::string_view Gruppenname, std::int32_t Lookup);
    bool ShowGroupByUniqueID(std::string_view UniqueID, bool Lookupall_vorweg);
    bool DeleteCurrentGroup();
    bool AddGroup(std::string_view Gruppenname);
    bool AddGroupMember(std::string_view UniqueID);
    bool ShowGroupRegister(std::string_view Registername);
    void OpenDatenbank(std::string_view sDatenbank);
    bool CloseDatenbank();

    // Route planner's build only; the standard build raises AppError 438.
    bool zeigeGruppe(std::string_view GruppenName, std::int32_t Lookup);
    bool gehezuGruppe(std::string_view UniqueID, bool Lookupall_vorweg);

    // Identifiers go to ACT! padded on the left with blanks to 12 characters.
    // A longer one cannot be one of ACT!'s and raises AppError 5.
    static std::string PadIdentifier(std::string_view id);

private:
    enum class Step { Application, Views, ActiveView, ContactView, GroupView };
    enum class Keep { No, InRoutePlanner };

    template <class Result, class Body>
    Result Operation(Result neutral, Keep keep, Body body);
    void RequireBuild(Build build) const;

    bool Connect(Step step);
    bool verbindeApplikation();
    bool verbindeViews();
    bool verbindeView(platform::AutoObjectPtr& field, const char* method, std::int16_t viewType);
    void trenneVerbindung() noexcept;

    bool ConnectForFieldType(std::string_view Feldtyp);
    platform::IAutoObject& FieldView() const;
    bool GroupCall(const platform::AutoValue& answer);
    bool ReportGroupViewError();
    std::string Name(std::string_view standard, std::string_view routePlanner) const;
    void YieldToEvents();

    Services m_Services;
    platform::IAutomation& m_Automation;
    platform::ILocale& m_Locale;
    Build m_Build;
    bool m_Busy = false;
    bool m_UseGroupView = false;  // the view the current field access uses

    platform::AutoObjectPtr objACT;
    platform::AutoObjectPtr objAktiveView;
    platform::AutoObjectPtr objViews;
    platform::AutoObjectPtr objKontaktView;
    platform::AutoObjectPtr objGruppenView;
};

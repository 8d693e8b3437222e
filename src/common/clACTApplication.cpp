#include "common/clACTApplication.h"

#include "base/AppError.h"
#include "base/ScopeExit.h"
#include "base/UiTexts.h"
#include "base/Utf8.h"
#include "common/clACTApplicationText.h"
#include "common/modACTHandle.h"
#include "common/modMessages.h"
#include "common/modprevinst.h"

using platform::AutoValue;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

constexpr std::string_view kProgId = "ACTOLE.APPOBJECT";
// ACT!'s own numbers, which go to ACT! as 16-bit integers.
constexpr std::int16_t kContactViewType = 1;
constexpr std::int16_t kGroupViewType = 3;
constexpr std::int16_t kCreateMode = 2;
constexpr std::int16_t kFieldUniqueId = 1;
constexpr std::int16_t kFieldGroupName = 25;

}  // namespace

clACTApplication::clACTApplication(Services services, Build build)
    : m_Services(services), m_Automation(services.automation), m_Locale(services.locale), m_Build(build) {}

clACTApplication::~clACTApplication() { trenneVerbindung(); }

std::string clACTApplication::PadIdentifier(std::string_view id) {
    const std::size_t length = utf8::Length(id);
    if (length > 12) Raise(ErrorNumber::InvalidCall, std::string(texts::kActIdTooLong) + std::string(id));
    return std::string(12 - length, ' ') + std::string(id);
}

// A call that arrives while an operation waits in a yield or a message box
// would overwrite the references that operation still works with: it is
// refused with the neutral result, touching nothing. References are dropped on
// every way out, an error included, so a broken connection is never kept.
template <class Result, class Body>
Result clACTApplication::Operation(Result neutral, Keep keep, Body body) {
    if (m_Busy) return neutral;
    m_Busy = true;
    bool keepReferences = false;
    const ScopeExit release([&] {
        m_Busy = false;
        if (!keepReferences) trenneVerbindung();
    });
    Result result = body();
    keepReferences = keep == Keep::InRoutePlanner && m_Build == Build::RoutePlanner;
    return result;
}

void clACTApplication::RequireBuild(Build build) const {
    if (m_Build != build) Raise(ErrorNumber::NotSupported);
}

std::string clACTApplication::Name(std::string_view standard, std::string_view routePlanner) const {
    return std::string(m_Build == Build::RoutePlanner ? routePlanner : standard);
}

void clACTApplication::YieldToEvents() { m_Services.windows.DoEvents(); }

// --- connection steps -------------------------------------------------------

bool clACTApplication::verbindeApplikation() {
    if (!modACTHandle::IsACTRunning(m_Services.windows, m_Services.text)) return false;
    objACT = m_Automation.Create(kProgId);
    YieldToEvents();
    return objACT != nullptr;
}

bool clACTApplication::verbindeViews() {
    if (!verbindeApplikation()) return false;
    objViews = platform::AsObject(objACT->Get("Views"));
    if (!objViews) {
        modMessages::MsgBox(m_Services.boxes, texts::kActNoViews, MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    return true;
}

bool clACTApplication::verbindeView(platform::AutoObjectPtr& field, const char* method, std::int16_t viewType) {
    if (!verbindeViews()) return false;
    for (;;) {
        YieldToEvents();
        field = viewType == 0 ? platform::AsObject(objViews->Call(method))
                              : platform::AsObject(objViews->Call(method, {viewType, kCreateMode}));
        YieldToEvents();
        if (field) return true;
        if (modMessages::MsgBox(m_Services.boxes, clACTApplicationText::RetryQuestion(), MsgIcon::Exclamation,
                                MsgButtons::YesNo) != MsgAnswer::Yes) {
            return false;
        }
    }
}

bool clACTApplication::Connect(Step step) {
    switch (step) {
        case Step::Application: return verbindeApplikation();
        case Step::Views: return verbindeViews();
        case Step::ActiveView: return verbindeView(objAktiveView, "GetActive", 0);
        case Step::ContactView: return verbindeView(objKontaktView, "Create", kContactViewType);
        case Step::GroupView: return verbindeView(objGruppenView, "Create", kGroupViewType);
    }
    return false;
}

void clACTApplication::trenneVerbindung() noexcept {
    objKontaktView.reset();
    objGruppenView.reset();
    objViews.reset();
    objACT.reset();
    objAktiveView.reset();
}

// --- both builds ------------------------------------------------------------

bool clACTApplication::ACTgestartet() {
    const bool running = modACTHandle::IsACTRunning(m_Services.windows, m_Services.text);
    if (!m_Busy && m_Build != Build::RoutePlanner) trenneVerbindung();
    return running;
}

std::string clACTApplication::ACTDatenbank() {
    return Operation(std::string(), Keep::No, [&] {
        return Connect(Step::Application) ? platform::AsText(objACT->Call("GetOpenDBName")) : std::string();
    });
}

std::string clACTApplication::AktuelleGruppenID() {
    return Operation(std::string(), Keep::No, [&] {
        return Connect(Step::GroupView) ? platform::AsText(objGruppenView->Call(Name("GetCurrentID", "getCurrentID")))
                                        : std::string();
    });
}

std::string clACTApplication::AktuelleKontaktID() {
    return Operation(std::string(), Keep::No, [&] {
        return Connect(Step::ContactView) ? platform::AsText(objKontaktView->Call(Name("GetCurrentID", "getCurrentID")))
                                          : std::string();
    });
}

std::int32_t clACTApplication::AktuelleFeldID() {
    return Operation(std::int32_t{0}, Keep::No, [&] {
        return Connect(Step::ActiveView)
                   ? platform::AsNumber(objAktiveView->Get(Name("CurrentFieldId", "currentfieldid")))
                   : std::int32_t{0};
    });
}

bool clACTApplication::ConnectForFieldType(std::string_view Feldtyp) {
    const auto choice = clACTApplicationText::ClassifyFieldType(Feldtyp);
    if (choice == clACTApplicationText::FieldType::Unknown) {
        modMessages::MsgBox(m_Services.boxes, clACTApplicationText::BadFieldTypeWarning(Feldtyp), MsgIcon::Exclamation,
                            MsgButtons::Ok);
    }
    m_UseGroupView = choice == clACTApplicationText::FieldType::Group;
    return Connect(m_UseGroupView ? Step::GroupView : Step::ContactView);
}

platform::IAutoObject& clACTApplication::FieldView() const {
    return m_UseGroupView ? *objGruppenView : *objKontaktView;
}

bool clACTApplication::setFeldwert(std::string_view Feldtyp, std::int32_t FeldID, std::string_view Wert) {
    return Operation(false, Keep::InRoutePlanner, [&] {
        if (!ConnectForFieldType(Feldtyp)) return false;
        FieldView().Call("SetField", {FeldID, std::string(Wert)});
        return true;
    });
}

std::string clACTApplication::getBenutzerID() {
    return Operation(std::string(), Keep::No, [&] {
        return Connect(Step::Application) ? platform::AsText(objACT->Call("GetUserId")) : std::string();
    });
}

std::string clACTApplication::getFeldwert(std::string_view Feldtyp, std::int32_t FeldID) {
    return Operation(std::string(), Keep::InRoutePlanner, [&] {
        if (!ConnectForFieldType(Feldtyp)) return std::string();
        return platform::AsText(FieldView().Call("GetField", {FeldID}));
    });
}

bool clACTApplication::bildeKontaktSuche(std::string_view UniqueIDs) {
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::ContactView)) return false;
        if (m_Build == Build::Standard) objKontaktView->Call("LookupAll");
        objKontaktView->Call(Name("CreateLookup", "createlookup"), {std::string(UniqueIDs)});
        return true;
    });
}

bool clACTApplication::neuerKontakt() {
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::ContactView)) return false;
        objKontaktView->Call(Name("AddNewContact", "addnewcontact"));
        return true;
    });
}

bool clACTApplication::gehezuKonatkt(std::string_view UniqueID) {
    const std::string id = PadIdentifier(UniqueID);
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::ContactView)) return false;
        objKontaktView->Call(Name("LookupAll", "lookupall"));
        objKontaktView->Call("GoTo", {id});
        return true;
    });
}

bool clACTApplication::ordneKonatktzuGruppe(std::string_view UniqueID) {
    const std::string id = PadIdentifier(UniqueID);
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::ContactView)) return false;
        objKontaktView->Call(Name("AddContactToGroup", "addcontacttogroup"), {id});
        return true;
    });
}

std::string clACTApplication::ACTVersion() {
    return Operation(std::string(), Keep::No, [&] {
        return Connect(Step::Application) ? platform::AsText(objACT->Call("GetVersion", {std::int16_t{1}}))
                                          : std::string();
    });
}

std::int32_t clACTApplication::aktuellerViewTyp() {
    return Operation(std::int32_t{-1}, Keep::No, [&] {
        return Connect(Step::ActiveView) ? platform::AsNumber(objAktiveView->Get("Type")) : std::int32_t{-1};
    });
}

// --- standard build ---------------------------------------------------------

std::string clACTApplication::getIDsAktuelleSuche(const StatusText& Status) {
    RequireBuild(Build::Standard);
    return Operation(std::string(), Keep::No, [&] {
        std::string ids;
        if (!Connect(Step::ContactView)) return ids;
        objKontaktView->Call("MoveFirst");
        YieldToEvents();
        const std::int32_t count = platform::AsNumber(objKontaktView->Call("GetCount"));
        const std::string separator = Status ? m_Locale.DecimalSeparator() : std::string();
        for (std::int32_t i = 1; i <= count; ++i) {
            YieldToEvents();
            ids += platform::AsText(objKontaktView->Call("GetField", {kFieldUniqueId}));
            YieldToEvents();
            objKontaktView->Call("MoveNext");
            if (Status) {
                Status(clACTApplicationText::LookupProgress(i, count, separator));
                YieldToEvents();
            }
        }
        return ids;
    });
}

void clACTApplication::Zeigen() {
    RequireBuild(Build::Standard);
    Operation(true, Keep::No, [&] {
        if (!Connect(Step::Application)) return true;
        objACT->Call("Show", {true});
        // ACT! may run under its English or its German title; either may be missing.
        for (std::string_view title : {"ACT!", "Kundenmanager"}) {
            try {
                modprevinst::ActivateWindowByTitle(m_Services.windows, m_Services.text, title);
            } catch (const AppError&) {}
        }
        return true;
    });
}

std::string clACTApplication::AktuellerBenutzerName() {
    RequireBuild(Build::Standard);
    return Operation(std::string(), Keep::No, [&] {
        return Connect(Step::Application) ? platform::AsText(objACT->Call("GetCurrentUserName")) : std::string();
    });
}

bool clACTApplication::GroupExist(std::string_view Gruppenname) {
    RequireBuild(Build::Standard);
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::GroupView)) return false;
        objGruppenView->Call("LookupAll");
        objGruppenView->Call("MoveFirst");
        const std::int32_t count = platform::AsNumber(objGruppenView->Call("GetCount"));
        for (std::int32_t i = 1; i <= count; ++i) {
            if (platform::AsText(objGruppenView->Call("GetField", {kFieldGroupName})) == Gruppenname) return true;
            objGruppenView->Call("MoveNext");
        }
        return false;
    });
}

bool clACTApplication::GroupCall(const AutoValue& answer) { return platform::AsNumber(answer) == 0; }

bool clACTApplication::ShowGroupByName(std::string_view Gruppenname, std::int32_t Lookup) {
    RequireBuild(Build::Standard);
    return Operation(false, Keep::No, [&] {
        return Connect(Step::GroupView) &&
               GroupCall(objGruppenView->Call("LookupFieldEx", {kFieldGroupName, std::string(Gruppenname), Lookup}));
    });
}

bool clACTApplication::ShowGroupByUniqueID(std::string_view UniqueID, bool Lookupall_vorweg) {
    RequireBuild(Build::Standard);
    const std::string id = PadIdentifier(UniqueID);
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::GroupView)) return false;
        if (Lookupall_vorweg) objGruppenView->Call("LookupAll");
        return GroupCall(objGruppenView->Call("GoTo", {id}));
    });
}

bool clACTApplication::DeleteCurrentGroup() {
    RequireBuild(Build::Standard);
    return Operation(false, Keep::No,
                     [&] { return Connect(Step::GroupView) && GroupCall(objGruppenView->Call("DeleteGroupFast")); });
}

bool clACTApplication::AddGroup(std::string_view Gruppenname) {
    RequireBuild(Build::Standard);
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::GroupView) || !GroupCall(objGruppenView->Call("AddNew"))) return false;
        return GroupCall(objGruppenView->Call("SetField", {kFieldGroupName, std::string(Gruppenname)}));
    });
}

bool clACTApplication::AddGroupMember(std::string_view UniqueID) {
    RequireBuild(Build::Standard);
    const std::string id = PadIdentifier(UniqueID);
    return Operation(false, Keep::No, [&] {
        return Connect(Step::GroupView) && GroupCall(objGruppenView->Call("AddMemberToGroup", {id}));
    });
}

bool clACTApplication::ShowGroupRegister(std::string_view Registername) {
    RequireBuild(Build::Standard);
    return Operation(false, Keep::No, [&] {
        return Connect(Step::GroupView) && GroupCall(objGruppenView->Call("SetActiveTab", {std::string(Registername)}));
    });
}

void clACTApplication::OpenDatenbank(std::string_view sDatenbank) {
    RequireBuild(Build::Standard);
    Operation(true, Keep::No, [&] {
        if (Connect(Step::Application)) objACT->Call("OpenDB", {std::string(sDatenbank)});
        return true;
    });
}

bool clACTApplication::CloseDatenbank() {
    RequireBuild(Build::Standard);
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::Application)) return false;
        const std::int32_t answer = platform::AsNumber(objACT->Call("CloseDB"));
        if (answer == 0) return true;
        modMessages::MsgBox(m_Services.boxes, clACTApplicationText::CloseDbFailed(answer), MsgIcon::Exclamation,
                            MsgButtons::Ok);
        return false;
    });
}

// --- route planner's build --------------------------------------------------

bool clACTApplication::ReportGroupViewError() {
    const std::int32_t error = platform::AsNumber(objGruppenView->Call("getlasterror"));
    modMessages::MsgBox(m_Services.boxes, clACTApplicationText::GroupViewError(error), MsgIcon::Exclamation,
                        MsgButtons::Ok);
    return false;
}

bool clACTApplication::zeigeGruppe(std::string_view GruppenName, std::int32_t Lookup) {
    RequireBuild(Build::RoutePlanner);
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::GroupView)) return false;
        return GroupCall(objGruppenView->Call("LookupFieldEx", {kFieldGroupName, std::string(GruppenName), Lookup})) ||
               ReportGroupViewError();
    });
}

bool clACTApplication::gehezuGruppe(std::string_view UniqueID, bool Lookupall_vorweg) {
    RequireBuild(Build::RoutePlanner);
    const std::string id = PadIdentifier(UniqueID);
    return Operation(false, Keep::No, [&] {
        if (!Connect(Step::GroupView)) return false;
        if (Lookupall_vorweg) objGruppenView->Call("lookupall");
        return GroupCall(objGruppenView->Call("GoTo", {id})) || ReportGroupViewError();
    });
}

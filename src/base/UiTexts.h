#pragma once
// Every text that the programs show, in one place.
#include <string_view>

namespace texts {

inline constexpr std::string_view kCrLf = "\r\n";

inline constexpr std::string_view kTessivarTitle = "Tessivar";
inline constexpr std::string_view kRovandelTitle = "Rovandel2";

// The maker of both programs and the online route planner, both under a
// reserved example domain: no real company's site is ever opened.
inline constexpr std::string_view kMakerName = "Brannock-Heyl";
inline constexpr std::string_view kMakerWebAddress = "www.brannock-heyl.example";
inline constexpr std::string_view kMakerUrl = "https://www.brannock-heyl.example/";
inline constexpr std::string_view kMakerContactUrl = "https://www.brannock-heyl.example/kontakt";
inline constexpr std::string_view kAnbietername = "Fahrtweg";
inline constexpr std::string_view kRoutePlannerHost = "www.fahrtweg.example";
inline constexpr std::string_view kDefaultRouteUrl = "https://www.fahrtweg.example/baseservices/do/routeService";

// Start-up of the command manager.
inline constexpr std::string_view kQuitActFirst = "Bitte beenden Sie zuvor ACT!";

// The install and removal runs; the add-on's or the command's name goes
// between the two halves.
inline constexpr std::string_view kInstallStart1 = "Es wird das ACT!-Addon '";
inline constexpr std::string_view kInstallStart2 = "' als neuer benutzerdefinierter Befehl in ACT! eingebunden.";
inline constexpr std::string_view kInstallFailed1 = "Das ACT!-Addon '";
inline constexpr std::string_view kInstallFailed2 =
    "' konnte nicht als benutzerdefinierter Befehl in ACT! eingebunden werden.";
inline constexpr std::string_view kInstallQuestion1 = "Soll der benutzerdefinierte Befehl '";
inline constexpr std::string_view kInstallQuestion2 = "' in\r\ndie Standardsymbolleiste eingefügt werden?";
inline constexpr std::string_view kInstallEnd1 = "Das ACT!-Addon '";
inline constexpr std::string_view kInstallEnd2 = "' wurde als benutzerdefinierter Befehl in ACT! eingebunden.";
inline constexpr std::string_view kRemovalStart1 = "Es wird das ACT!-Addon '";
inline constexpr std::string_view kRemovalStart2 = "' aus der Liste der benutzerdefinierter Befehl in ACT! entfernt.";
inline constexpr std::string_view kRemovalEnd1 = "Es wurde das ACT!-Addon '";
inline constexpr std::string_view kRemovalEnd2 = "' aus der Liste der benutzerdefinierter Befehl in ACT! entfernt.";
inline constexpr std::string_view kOkButton = "&OK";
inline constexpr std::string_view kClassToolbar = "clACTToolbar";
inline constexpr std::string_view kMethodAddButton = " Methode AddButton";
inline constexpr std::string_view kMethodRemoveButton = " Methode RemoveButton";

// Window names of the toolbars, German first.
inline constexpr std::string_view kContactToolbarDe = "Kontaktsymbolleiste";
inline constexpr std::string_view kContactToolbarEn = "Contact Toolbar";
inline constexpr std::string_view kGroupToolbarDe = "Gruppensymbolleiste";
inline constexpr std::string_view kGroupToolbarEn = "Groups Toolbar";

// The thin platform wrappers: "Error: " + number + ". " + description.
inline constexpr std::string_view kErrorPrefix = "Error: ";

// Descriptions of the run-time errors raised by the programs themselves.
inline constexpr std::string_view kTypeMismatch = "Typen unverträglich";
inline constexpr std::string_view kOverflow = "Überlauf";
inline constexpr std::string_view kOutOfMemory = "Nicht genügend Speicher";
inline constexpr std::string_view kInvalidCall = "Unzulässiger Prozeduraufruf oder unzulässiges Argument";
inline constexpr std::string_view kInternalError = "Interner Fehler";
inline constexpr std::string_view kSubscriptOutOfRange = "Index außerhalb des gültigen Bereichs";
inline constexpr std::string_view kFileNotFound = "Datei nicht gefunden";
inline constexpr std::string_view kDiskFull = "Datenträger voll";
inline constexpr std::string_view kPermissionDenied = "Zugriff verweigert";
inline constexpr std::string_view kFileAccess = "Fehler beim Zugriff auf Pfad/Datei";
inline constexpr std::string_view kPathNotFound = "Pfad nicht gefunden";

// ---------------------------------------------------------------------------
// ACT!'s toolbars and their button lists. The toolbar classes show no boxes;
// these are descriptions of the errors they raise to their caller.
inline constexpr std::string_view kButtonListTruncated = "Die Schaltflächenliste ist unvollständig.";
inline constexpr std::string_view kButtonEntryTooShort = "Ein Schaltflächeneintrag muss mindestens 5 Bytes lang sein.";
inline constexpr std::string_view kButtonIdNegative = "Eine Schaltflächenkennung darf nicht negativ sein.";
inline constexpr std::string_view kButtonListNotBinary = "Die Schaltflächenliste ist kein Binärwert.";
inline constexpr std::string_view kNoToolbarAtNumber = "Unter dieser Nummer ist keine Symbolleiste eingerichtet.";
// Leads a toolbar's error: "Symbolleiste " + number + optional " (" + window name + ")" + ": " + description.
inline constexpr std::string_view kToolbarLead = "Symbolleiste ";
// ---------------------------------------------------------------------------

// Errors of the command classes: "Fehler in Klasse " + class + method, then
// number and description.
inline constexpr std::string_view kClassErrorPrefix = "Fehler in Klasse ";
inline constexpr std::string_view kErrorNumberLine = "Fehlernummer: ";
inline constexpr std::string_view kErrorDescriptionLine = "Fehlerbeschreibung: ";

// The command store.
inline constexpr std::string_view kClassCommand = "clCustomTessivar";
inline constexpr std::string_view kClassCommands = "clCustomTessivars";
inline constexpr std::string_view kMethodLoad = " - Load";
inline constexpr std::string_view kMethodRemove = " Methode Remove";
inline constexpr std::string_view kFileLine = "Die Datei ";
inline constexpr std::string_view kNotFoundLine = "wurde nicht gefunden.";
inline constexpr std::string_view kDuplicateNameStart = "Es gibt schon einen ACT!-Benutzerbefehl mit dem Namen '";
inline constexpr std::string_view kDuplicateNameEnd = "'.";
inline constexpr std::string_view kNoSuchIndexStart = "Es ist kein ACT!-Benutzerbefehl mit dem Index/Key '";
inline constexpr std::string_view kNoSuchIndexEnd = "' vorhanden.";
inline constexpr std::string_view kBadImageSizeStart = "Die Datei gibt als Größe eines Schaltflächenbildes ";
inline constexpr std::string_view kBadImageSizeEnd = " Bytes an; erlaubt sind 0 bis 1048576 Bytes.";

// Why a stored command could not be read completely.
inline constexpr std::string_view kRecordMissing = "Der Befehlsdatensatz fehlt.";
inline constexpr std::string_view kRecordNotBinary = "Der Befehlsdatensatz ist kein Binärwert.";
inline constexpr std::string_view kRecordTooShort = "Der Befehlsdatensatz ist zu kurz.";
inline constexpr std::string_view kIdTooLarge = "Die Befehlskennung ist zu groß.";
inline constexpr std::string_view kImageMissing = "Ein Schaltflächenbild fehlt oder ist kein Binärwert.";
inline constexpr std::string_view kImageWithoutSize = "Das große Schaltflächenbild hat die Breite oder Höhe 0.";

// ---------------------------------------------------------------------------
// Guarding ACT!'s configuration: one change at a time, and none to a table
// that cannot be trusted.
// The system's named lock could not be made: + the failed call and its code.
inline constexpr std::string_view kLockNotMade = "Die Sperre konnte nicht eingerichtet werden: ";
// Another Tessivar holds the lock for longer than a change waits.
inline constexpr std::string_view kConfigurationBusy =
    "Ein anderes Tessivar ändert gerade die Konfiguration von ACT!.\r\nBitte versuchen Sie es später noch einmal.";
// Why the command table must not be changed. The box reads "Fehler in Klasse
// clCustomTessivars" + method, the reason, then kTableNotChanged.
inline constexpr std::string_view kMethodAdd = " Methode Add";
inline constexpr std::string_view kCountNegativeStart = "Der Wert \"Count\" der ACT!-Benutzerbefehle ist negativ (";
inline constexpr std::string_view kCountNegativeEnd = ").";
inline constexpr std::string_view kCountTooLargeStart = "Der Wert \"Count\" der ACT!-Benutzerbefehle (";
inline constexpr std::string_view kCountTooLargeMiddle = ") ist größer als die höchstens ";
inline constexpr std::string_view kCountTooLargeEnd = " Befehle, die Tessivar liest.";
inline constexpr std::string_view kCountUnreadable =
    "Der Wert \"Count\" der ACT!-Benutzerbefehle kann nicht als Zahl gelesen werden.";
inline constexpr std::string_view kTableNotChanged =
    "Damit kein Befehl verloren geht, wird die Befehlstabelle nicht geändert.";
// A command file whose record has no name: "Die Datei " + path, then this.
inline constexpr std::string_view kNoCommandNameLine = "enthält keinen Befehlsnamen.";
// The add-on's program and folder must fit ACT!'s record: this line, the
// path, then why it does not fit.
inline constexpr std::string_view kAddonPathLine = "Der Pfad des ACT!-Addons";
inline constexpr std::string_view kPathTooLongStart = "ist zu lang für ACT!: erlaubt sind höchstens ";
inline constexpr std::string_view kPathTooLongEnd = " Zeichen.";
inline constexpr std::string_view kPathNotInCodePage = "enthält Zeichen, die ACT! nicht speichern kann.";
// A removal run that changed nothing because it was refused.
inline constexpr std::string_view kRemovalFailed1 = "Das ACT!-Addon '";
inline constexpr std::string_view kRemovalFailed2 =
    "' konnte nicht aus der Liste der benutzerdefinierten Befehle in ACT! entfernt werden.";
// ---------------------------------------------------------------------------


// ---------------------------------------------------------------------------
// The link to ACT! through its automation object (clACTApplication) and the
// automation seam below it.
inline constexpr std::string_view kActNoViews = "OLE-Verbindung zu ACT! ist nicht möglich.(View)";
inline constexpr std::string_view kActRetryLine1 = "Eine OLE-Verbindung zu Act! ist nicht möglich.";
inline constexpr std::string_view kActRetryLine2 = "Bitte schließen Sie alle geöffneten Hinweisfenster in ACT!";
inline constexpr std::string_view kActRetryLine3 = "Weiter versuchen ?";
// "Falsche Feldtyp-Bezeichnung (" + word + "). Es wird Kontakt benutzt."
inline constexpr std::string_view kActBadFieldTypeStart = "Falsche Feldtyp-Bezeichnung (";
inline constexpr std::string_view kActBadFieldTypeEnd = "). Es wird Kontakt benutzt.";
// "Bestimme aktuelle ACT!-Suche (" + share + ")"
inline constexpr std::string_view kActLookupProgressStart = "Bestimme aktuelle ACT!-Suche (";
inline constexpr std::string_view kActLookupProgressEnd = ")";
inline constexpr std::string_view kActClassName = "ACTApplication";
inline constexpr std::string_view kActCloseDbMethod = " - CloseDB";
inline constexpr std::string_view kActErrorNumberLine = "ACT!-Fehlernummer:";
inline constexpr std::string_view kActCloseDbFailed = "Die Datenbank konnte nicht geschlossen werden.";
// "OLE-Fehler: #" + " " (unless negative) + number + " vom GroupView-Objekt."
inline constexpr std::string_view kActOleErrorStart = "OLE-Fehler: #";
inline constexpr std::string_view kActOleErrorEnd = " vom GroupView-Objekt.";
inline constexpr std::string_view kActIdTooLong = "Eine ACT!-Kennung hat höchstens 12 Zeichen: ";
inline constexpr std::string_view kActNotInThisBuild = "Objekt unterstützt diese Eigenschaft oder Methode nicht";
// Automation answers converted to text, and faults without a description.
inline constexpr std::string_view kAutoTrue = "Wahr";
inline constexpr std::string_view kAutoFalse = "Falsch";
inline constexpr std::string_view kAutomationError = "Automatisierungsfehler";
// ---------------------------------------------------------------------------

// ---------------------------------------------------------------------------
// The window layer: what it says when the system refuses a window.
inline constexpr std::string_view kWindowClassNotRegistered = "Die Fensterklasse konnte nicht angemeldet werden: ";
inline constexpr std::string_view kWindowNotCreated = "Das Fenster konnte nicht erzeugt werden: ";
inline constexpr std::string_view kControlNotCreated = "Das Steuerelement konnte nicht erzeugt werden: ";
inline constexpr std::string_view kNoSuchControl = "Das Fenster hat kein Steuerelement namens ";
inline constexpr std::string_view kNoSuchPanel = "Die Statusleiste hat kein Feld namens ";
inline constexpr std::string_view kCommonControlsMissing =
    "Die Windows-Standardsteuerelemente (comctl32.dll) sind nicht verfügbar.";
// ---------------------------------------------------------------------------

}  // namespace texts

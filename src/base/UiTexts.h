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
// The route planners offered by name in Rovandel2's settings window.
inline constexpr std::string_view kPlannerFahrtweg = "Fahrtweg – Formular";
inline constexpr std::string_view kPlannerOpenStreetMap = "OpenStreetMap";
inline constexpr std::string_view kPlannerGoogleMaps = "Google Maps";
inline constexpr std::string_view kPlannerBingMaps = "Bing Maps";

// Start-up of the command manager.
inline constexpr std::string_view kQuitActFirst = "Bitte beenden Sie zuvor ACT!";
// An unattended start whose command line is no run.
inline constexpr std::string_view kQuietNotUnderstood =
    "Die Befehlszeile wurde nicht verstanden; tessivar.exe /? zeigt, was sie enthalten kann.";

// Tessivar's backups of ACT!'s configuration: why a backup file is refused.
inline constexpr std::string_view kBackupLine = "Zeile ";
inline constexpr std::string_view kBackupNotUnicode = "Die Datei ist keine Registrierungsdatei im Unicode-Format.";
inline constexpr std::string_view kBackupBadHeader =
    "Die Datei beginnt nicht wie eine Registrierungsdatei (\"Windows Registry Editor Version 5.00\").";
inline constexpr std::string_view kBackupCutShort = "Die Sicherung ist unvollständig: die Datei bricht vorzeitig ab.";
inline constexpr std::string_view kBackupBadLine = "Diese Zeile kann nicht gelesen werden.";
inline constexpr std::string_view kBackupDeletes =
    "Die Datei würde Schlüssel oder Werte löschen; eine Sicherung von Tessivar tut das nie.";
inline constexpr std::string_view kBackupOtherType =
    "Die Datei enthält einen Wert, der weder Text, Zahl noch Binärwert ist.";
inline constexpr std::string_view kBackupAfterEnd = "Nach dem Ende der Sicherung folgt noch etwas.";
inline constexpr std::string_view kBackupCountMismatch = "Die Zahl der Werte passt nicht zum Ende der Sicherung.";
// Taking a backup before a change; the change stops when it fails.
inline constexpr std::string_view kBackupNotWritten =
    "Vor der Änderung konnte keine Sicherung der ACT!-Konfiguration angelegt werden:\r\n";
inline constexpr std::string_view kBackupNothingChanged = "\r\n\r\nEs wurde nichts geändert.";
inline constexpr std::string_view kBackupNoFolder = "Der Ordner für lokale Anwendungsdaten ist nicht bekannt.";
inline constexpr std::string_view kBackupKeyUnreadable = "Dieser Schlüssel kann nicht gelesen werden: ";
// A value the backup could not give back as it is: + name, key, type.
inline constexpr std::string_view kBackupValueStart = "Der Wert \"";
inline constexpr std::string_view kBackupValueMiddle = "\" im Schlüssel ";
inline constexpr std::string_view kBackupValueEnd = " kann nicht unverändert gesichert werden (Typ ";
// Restoring a backup.
inline constexpr std::string_view kRestoreRefusedStart = "Die Datei\r\n";
inline constexpr std::string_view kRestoreRefusedEnd = "\r\nwird nicht zurückgeschrieben:\r\n";
inline constexpr std::string_view kRestoreOutsideKey = "Sie enthält einen Schlüssel außerhalb der ACT!-Konfiguration: ";
inline constexpr std::string_view kRestoreNotInCodePage =
    "Sie enthält einen Namen oder Text, den ACT! nicht unverändert speichern kann: ";
// A restore file that the registry or Tessivar could not take as it is: + the name.
inline constexpr std::string_view kRestoreNulInName =
    "Sie enthält einen Namen mit einem Nullzeichen, an dem die Registrierung ihn abschneiden würde: ";
inline constexpr std::string_view kRestoreKeyTooLong =
    "Sie enthält einen Schlüssel, den die Registrierung nicht anlegen kann (höchstens 255 Zeichen je Teil und 32 "
    "Ebenen): ";
inline constexpr std::string_view kRestoreValueNameTooLong =
    "Sie enthält einen Wertnamen mit mehr als 16.383 Zeichen, den die Registrierung nicht speichert: ";
inline constexpr std::string_view kRestoreValueTooLarge =
    "Sie enthält einen Wert, der größer ist, als die Registrierung speichern kann: ";
// After the table's own reason why its "Count" would not be accepted.
inline constexpr std::string_view kRestoreCountEnd =
    "\r\nNach dem Zurückschreiben würde Tessivar die Befehlstabelle nicht mehr ändern.";
inline constexpr std::string_view kRestoreNoBackup = "Es gibt noch keine Sicherung der ACT!-Konfiguration.";
inline constexpr std::string_view kRestoreQuestionStart = "Soll die Sicherung vom ";
inline constexpr std::string_view kRestoreQuestionFileStart = "Soll die Sicherung\r\n";
inline constexpr std::string_view kRestoreQuestionEnd =
    " zurückgeschrieben werden?\r\n\r\n"
    "Alle Werte der Sicherung ersetzen die jetzigen; was später hinzukam, bleibt stehen. "
    "Die jetzige Konfiguration wird vorher ebenfalls gesichert.";
inline constexpr std::string_view kRestoreDoneStart = "Die Sicherung vom ";
inline constexpr std::string_view kRestoreDoneFileStart = "Die Sicherung\r\n";
inline constexpr std::string_view kRestoreDoneEnd = " wurde zurückgeschrieben.";
// A change that a crash, a kill or a power cut cut short, put back at the next start.
// + the backup's date and time, then kRepairDoneEnd.
inline constexpr std::string_view kRepairDoneStart =
    "Eine Änderung der ACT!-Konfiguration wurde unterbrochen, bevor sie fertig war. Tessivar hat sie "
    "zurückgenommen: Die Konfiguration ist wieder so wie vor dieser Änderung (Sicherung vom ";
inline constexpr std::string_view kRepairDoneEnd = ").";
// + why, then kRepairFailedAgain or kRepairFailedForGood.
inline constexpr std::string_view kRepairFailedStart =
    "Eine unterbrochene Änderung der ACT!-Konfiguration konnte nicht zurückgenommen werden:\r\n";
inline constexpr std::string_view kRepairFailedAgain =
    "\r\n\r\nTessivar ändert nichts, bis das gelingt, und versucht es beim nächsten Start wieder. Beenden Sie "
    "ACT!, bevor Sie Tessivar erneut starten.";
inline constexpr std::string_view kRepairFailedForGood =
    "\r\n\r\nDie Konfiguration kann halb geändert sein. Schreiben Sie eine ältere Sicherung zurück "
    "(„Wiederherstellen…“ in der Liste oder tessivar.exe /wiederherstellen DATEI).";
inline constexpr std::string_view kChangeStillUnfinished =
    "Eine unterbrochene Änderung der ACT!-Konfiguration ist noch nicht zurückgenommen. Schließen Sie Tessivar "
    "und starten Sie es erneut; der Start nimmt sie zurück.";
inline constexpr std::string_view kRepairNoBackup = "Die Markierung der Änderung nennt keine lesbare Sicherung.";
inline constexpr std::string_view kTimeSuffix = " Uhr";
// A write of a change failed: + value name, key, system error number. The
// change is then put back as it was, or (when even that failed) is not.
inline constexpr std::string_view kNotWrittenValueStart = "Der Wert \"";
inline constexpr std::string_view kNotWrittenValueMiddle = "\" im Schlüssel ";
inline constexpr std::string_view kNotWrittenValueEnd = " konnte nicht geschrieben werden (Systemfehler ";
inline constexpr std::string_view kNotDeletedValueEnd = " konnte nicht gelöscht werden (Systemfehler ";
inline constexpr std::string_view kNotMadeKeyStart = "Der Schlüssel ";
inline constexpr std::string_view kNotMadeKeyEnd = " konnte nicht angelegt werden (Systemfehler ";
inline constexpr std::string_view kSystemErrorEnd = ").";
inline constexpr std::string_view kChangeUndone =
    "\r\n\r\nAlles, was dieser Vorgang bis dahin geändert hatte, wurde zurückgenommen: "
    "die ACT!-Konfiguration ist wie zuvor.";
inline constexpr std::string_view kChangeNotUndone =
    "\r\n\r\nDie Änderungen dieses Vorgangs konnten nicht vollständig zurückgenommen werden. "
    "Der Stand von vorher liegt in der neuesten Sicherung; \"tessivar.exe /wiederherstellen\" schreibt ihn zurück.";
// The list window's choice of a backup.
inline constexpr std::string_view kRestoreButton = "&Wiederherstellen…";
inline constexpr std::string_view kRestoreChoiceTitle = "Sicherung zurückschreiben";
inline constexpr std::string_view kRestoreChoicePrompt = "Welche Sicherung soll zurückgeschrieben werden?";
inline constexpr std::string_view kRestoreColumn = "Gesichert am";
inline constexpr std::string_view kRestoreNumberColumn = "Nr.";
inline constexpr std::string_view kRestoreSizeColumn = "Größe";
inline constexpr std::string_view kRestoreReasonColumn = "Anlass";
// Placing a command's button on the toolbars.
inline constexpr std::string_view kPlaceButton = "Schalt&flächen…";
inline constexpr std::string_view kPlaceTitle = "Schaltfläche platzieren";
inline constexpr std::string_view kPlacePromptStart = "Die Schaltfläche des Befehls '";  // + name
inline constexpr std::string_view kPlacePromptEnd =
    "' auf den Symbolleisten.\r\nAuf die Kontakt- und die Gruppensymbolleiste kann sie gelegt werden.";
inline constexpr std::string_view kPlaceColumnToolbar = "Symbolleiste";
inline constexpr std::string_view kPlaceColumnPlace = "Stelle";
inline constexpr std::string_view kPlaceOf = " von ";  // "3 von 12"
inline constexpr std::string_view kPlaceNotOn = "nicht darauf";
inline constexpr std::string_view kPlaceUnreadable = "nicht lesbar";
inline constexpr std::string_view kPlaceAddButton = "&Hinzufügen";
inline constexpr std::string_view kPlaceRemoveButton = "&Entfernen";
inline constexpr std::string_view kPlaceLeftButton = "Nach &links";
inline constexpr std::string_view kPlaceRightButton = "Nach &rechts";
// What a restore would change (the differences window).
inline constexpr std::string_view kCloseButton = "&Schließen";
inline constexpr std::string_view kDiffButton = "&Unterschiede…";
inline constexpr std::string_view kDiffTitle = "Unterschiede zur jetzigen Konfiguration";
inline constexpr std::string_view kDiffPromptStart = "Das Zurückschreiben der Sicherung ";  // + "Nr. 7 vom …"
inline constexpr std::string_view kDiffPromptEnd = " würde ändern:";
inline constexpr std::string_view kDiffOf = "vom ";
inline constexpr std::string_view kDiffNone = " würde nichts ändern.";
inline constexpr std::string_view kDiffColumnKind = "Art";
inline constexpr std::string_view kDiffColumnName = "Name";
inline constexpr std::string_view kDiffColumnChange = "Änderung";
inline constexpr std::string_view kDiffCommand = "Befehl";
inline constexpr std::string_view kDiffToolbar = "Symbolleiste";
inline constexpr std::string_view kDiffOthers = "Weitere Werte";
inline constexpr std::string_view kDiffNumber = "ohne Namen, Nr. ";
inline constexpr std::string_view kDiffAdded = "kommt hinzu";
inline constexpr std::string_view kDiffRemoved = "wird entfernt";
inline constexpr std::string_view kDiffChanged = "wird geändert";
inline constexpr std::string_view kDiffButtonsChanged = "Schaltflächen werden geändert";
inline constexpr std::string_view kDiffOthersChanged = " Werte werden geschrieben";
inline constexpr std::string_view kDiffUnreadable = "Die Unterschiede können nicht ermittelt werden:\r\n";
// What a backup was taken before, as it names it in its first lines.
inline constexpr std::string_view kReasonInstall = "Installation von '";  // + add-on + "'"
inline constexpr std::string_view kReasonRemoval = "Entfernen von '";  // + add-on + "'"
inline constexpr std::string_view kReasonLoad = "Laden von '";  // + file name + "'"
inline constexpr std::string_view kReasonDelete = "Löschen von '";  // + command + "'"
inline constexpr std::string_view kReasonPlace = "Platzieren der Schaltfläche von '";  // + command + "'"
inline constexpr std::string_view kReasonEdit = "Bearbeiten von '";  // + command + "'"
inline constexpr std::string_view kReasonRestore = "Zurückschreiben";
inline constexpr std::string_view kReasonRestoreNumber = " von Nr. ";
inline constexpr std::string_view kReasonRestoreDate = " der Sicherung vom ";
// + the size of all backups listed, then kBackupsSizeEnd.
inline constexpr std::string_view kBackupsSizeStart = "Zusammen: ";
inline constexpr std::string_view kBackupsSizeEnd = "";
inline constexpr std::string_view kSizeBytes = " Byte";
inline constexpr std::string_view kSizeKilobytes = " KB";
inline constexpr std::string_view kSizeMegabytes = " MB";
inline constexpr std::string_view kSizeGigabytes = " GB";
inline constexpr std::string_view kCancelButton = "Abbrechen";

// "tessivar.exe /?": the command line, as the program reads it.
inline constexpr std::string_view kUsageTitle = "Tessivar: Aufruf";
inline constexpr std::string_view kUsage =
    "tessivar.exe\r\n"
    "    Zeigt die benutzerdefinierten Befehle von ACT! in einer Liste.\r\n"
    "tessivar.exe ADDON install [SYMBOLLEISTE] [/quiet]\r\n"
    "    Bindet den Befehl aus ADDON.cmd (neben tessivar.exe) in ACT! ein und\r\n"
    "    setzt nach Rückfrage seine Schaltfläche auf die Symbolleiste.\r\n"
    "tessivar.exe ADDON deinstall [SYMBOLLEISTE] [/quiet]\r\n"
    "    Entfernt jeden Befehl namens ADDON mit seiner Schaltfläche.\r\n"
    "tessivar.exe /wiederherstellen [DATEI] [/quiet]\r\n"
    "    Schreibt nach Rückfrage die neueste Sicherung der ACT!-Konfiguration\r\n"
    "    zurück, mit DATEI die angegebene.\r\n"
    "tessivar.exe /reparieren [/quiet]\r\n"
    "    Nimmt eine unterbrochene Änderung zurück (das tut jeder Start).\r\n"
    "tessivar.exe /?\r\n"
    "    Zeigt diese Hilfe.\r\n"
    "\r\n"
    "SYMBOLLEISTE:\r\n"
    "    kontakt, contact, k, c: die Kontaktsymbolleiste (ohne Angabe)\r\n"
    "    gruppe, gruppen, group, groups, g: die Gruppensymbolleiste\r\n"
    "/quiet: keine Fenster und keine Rückfragen; die Schaltfläche kommt auf\r\n"
    "    die Symbolleiste, die Sicherung wird ohne Rückfrage zurückgeschrieben.\r\n"
    "\r\n"
    "Vor jeder Änderung sichert Tessivar die Konfiguration in\r\n"
    "    %LOCALAPPDATA%\\Tessivar\\Sicherungen (die letzten 3 bleiben immer,\r\n"
    "    bis zu 20, solange die älteren zusammen unter 1 GB bleiben).\r\n"
    "\r\n"
    "Rückgabewerte:\r\n"
    "    0  erledigt\r\n"
    "    1  nicht oder mit Fehler erledigt (auch: keine Sicherung möglich)\r\n"
    "    2  ACT! läuft; es wurde nichts geändert\r\n"
    "    3  mit /quiet: der Aufruf wurde nicht verstanden\r\n";

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
inline constexpr std::string_view kErrorIn = "Fehler in ";  // + the routine
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
inline constexpr std::string_view kCommandFileShort =
    "Die Befehlsdatei ist unvollständig: Sie ist kürzer als ein Befehl mit den Köpfen seiner zwei Bilder.";
inline constexpr std::string_view kCommandFileImageShort =
    "Die Befehlsdatei ist unvollständig: Ein Bild ist kürzer, als sein Kopf angibt.";
// + kMaxCommands, then kTableFullEnd.
inline constexpr std::string_view kTableFullStart = "Die ACT!-Benutzerbefehle haben schon die höchstens ";
inline constexpr std::string_view kTableFullEnd = " Befehle, die Tessivar liest; ein weiterer wird nicht eingebunden.";
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
// The file dialog and shell launcher wrappers, the About window, and
// Tessivar's list window.
inline constexpr std::string_view kSystemLibraryMissing = "Eine Systembibliothek ist nicht verfügbar: ";
// Titles of the wrappers' "Error: " boxes: the members' names.
inline constexpr std::string_view kMemberShow = "Show";
inline constexpr std::string_view kMemberTrimNulls = "TrimNulls";
inline constexpr std::string_view kMemberStillExecuting = "StillExecuting";
inline constexpr std::string_view kMemberExplore = "Explore";
inline constexpr std::string_view kMemberLaunchDocument = "LaunchDocument";
inline constexpr std::string_view kMemberLaunchEmail = "LaunchEmail";
inline constexpr std::string_view kMemberLaunchFolder = "LaunchFolder";
inline constexpr std::string_view kMemberLaunchProgram = "LaunchProgram";
inline constexpr std::string_view kMemberLaunchURL = "LaunchURL";
inline constexpr std::string_view kMemberPrintDocument = "PrintDocument";

// The About window.
inline constexpr std::string_view kInfoTitle = "Informationen über das Programm";
inline constexpr std::string_view kInfoVersionPrefix = "Version ";
inline constexpr std::string_view kInfoLinkTip = "Besuchen Sie uns im Internet...";
inline constexpr std::string_view kTessivarRights = "© Brannock-Heyl. Alle Rechte vorbehalten.";
inline constexpr std::string_view kTessivarSubtitle = "Befehlsverwaltung für ACT!";
// The credit text that scrolls in Tessivar's About window; "#" marks a heading.
inline constexpr std::string_view kTessivarCredits =
    "#Tessivar\n"
    "Befehlsverwaltung\n"
    "für ACT!\n"
    "\n"
    "#Idee und Entwurf\n"
    "Brannock-Heyl\n"
    "\n"
    "#Programmierung\n"
    "Das Tessivar-Team\n"
    "\n"
    "#Gestaltung\n"
    "Atelier Brannock-Heyl\n"
    "\n"
    "#Erprobung\n"
    "Anwender aus Vertrieb,\n"
    "Kundendienst und Büro\n"
    "\n"
    "#Unser Dank\n"
    "gilt allen, die Fehler\n"
    "gemeldet und Wünsche\n"
    "geäußert haben\n"
    "\n"
    "#Tessivar\n"
    "brannock-heyl.example";

// Tessivar's list window.
inline constexpr std::string_view kSaveButton = "&Speichern";
inline constexpr std::string_view kLoadButton = "&Laden";
inline constexpr std::string_view kToolbarsButton = "&Toolbars";
inline constexpr std::string_view kCommandsButton = "&Befehle";
// Not drawn (the button shows a picture), but its access key works.
inline constexpr std::string_view kInfoButton = "&Info";
inline constexpr std::string_view kInfoButtonTip = "Informationen über das Programm";
inline constexpr std::string_view kColumnNr = "Nr";
inline constexpr std::string_view kColumnName = "Name";
inline constexpr std::string_view kColumnZeile = "Zeile";
inline constexpr std::string_view kColumnStart = "Start";
inline constexpr std::string_view kColumnBeschreibung = "Beschreibung";
inline constexpr std::string_view kColumnQuickInfo = "QuickInfo";
inline constexpr std::string_view kColumnMenu = "Menü";
inline constexpr std::string_view kStatusCommands = " benutzerdefinierte(r) Befehl(e)";
inline constexpr std::string_view kStatusToolbars = " Toolbar(s)";
// While a large table is read; the number read so far follows.
inline constexpr std::string_view kStatusReading = "Befehle werden gelesen: ";
inline constexpr std::string_view kLoadDialogTitle = "ACT!-Benutzerbefehl laden";
inline constexpr std::string_view kSaveDialogTitle = "ACT!-Benutzerbefehl speichern";
inline constexpr std::string_view kCommandFileFilter = "ACT!-Commandfiles (*.cmd)|*.cmd";
inline constexpr std::string_view kDeleteQuestion = "Soll der benutzerdefinierte Befehl gelöscht werden?";
// A save refused: 1 + name + 2 + why the command could not be read + 3.
inline constexpr std::string_view kSaveIncomplete1 = "Der benutzerdefinierte Befehl '";
inline constexpr std::string_view kSaveIncomplete2 = "' konnte nicht vollständig gelesen werden:\r\n";
inline constexpr std::string_view kSaveIncomplete3 =
    "\r\nEr wird nicht gespeichert, damit keine unvollständige Befehlsdatei entsteht.";
inline constexpr std::string_view kToolbarsChanged =
    "Die Symbolleisten wurden inzwischen außerhalb dieses Fensters geändert.\r\n"
    "Es wurde nichts geschrieben; bitte wiederholen Sie den Vorgang.";
inline constexpr std::string_view kTableChanged =
    "Die benutzerdefinierten Befehle wurden inzwischen außerhalb dieses Fensters geändert.\r\n"
    "Die Liste wird neu eingelesen; bitte wiederholen Sie den Vorgang.";
// ---------------------------------------------------------------------------

// ---------------------------------------------------------------------------
// Tessivar's list window: commands whose program is missing, and their paths mended.
inline constexpr std::string_view kColumnProgram = "Programm";
inline constexpr std::string_view kProgramMissing = "Programm fehlt";
// The status text, after the count of commands: + number + 2.
inline constexpr std::string_view kStatusMissing1 = ", ";
inline constexpr std::string_view kStatusMissing2 = " mit fehlendem Programm";
inline constexpr std::string_view kPathsButton = "&Pfade anpassen…";
// Asked when commands are marked that are not all selected: 1 + count + 2 + selected + 3.
inline constexpr std::string_view kPathsAllQuestion1 = "Bei ";
inline constexpr std::string_view kPathsAllQuestion2 =
    " Befehl(en) fehlt das Programm. Sollen alle diese Befehle angepasst werden?\r\n\r\n"
    "Ja: alle Befehle mit fehlendem Programm\r\nNein: nur die ausgewählten (";
inline constexpr std::string_view kPathsAllQuestion3 = ")";
inline constexpr std::string_view kPathsFolderTitle = "Ordner mit den Programmen wählen";
inline constexpr std::string_view kPathsTitle = "Pfade anpassen";
// The window's first line: 1 + the folder chosen.
inline constexpr std::string_view kPathsFolder = "Neuer Ordner: ";
inline constexpr std::string_view kPathsOffered = "Diese Befehle werden angepasst:";
inline constexpr std::string_view kPathsKept = "Diese Befehle bleiben, wie sie sind:";
inline constexpr std::string_view kColumnOldZeile = "Zeile bisher";
inline constexpr std::string_view kColumnNewZeile = "Zeile neu";
inline constexpr std::string_view kColumnOldStart = "Start bisher";
inline constexpr std::string_view kColumnNewStart = "Start neu";
inline constexpr std::string_view kColumnReason = "Grund";
inline constexpr std::string_view kPathsNotInFolder = "Das Programm liegt nicht in diesem Ordner.";
inline constexpr std::string_view kPathsNoProgram = "Die Zeile nennt kein Programm.";
inline constexpr std::string_view kPathsUnchanged = "Das Programm liegt schon in diesem Ordner.";
inline constexpr std::string_view kPathsIncomplete = "Der Befehl konnte nicht vollständig gelesen werden.";
inline constexpr std::string_view kPathsZeileTooLong = "Die neue Zeile wäre länger als 256 Zeichen.";
inline constexpr std::string_view kPathsStartTooLong = "Der neue Start wäre länger als 258 Zeichen.";
inline constexpr std::string_view kPathsNotWritable = "Der Ordnername enthält Zeichen, die ACT! nicht speichern kann.";
// The backup's reason: 1 + count + 2 (one command) or 3.
inline constexpr std::string_view kMethodZeile = " Methode Zeile";
inline constexpr std::string_view kPathsReason1 = "Pfade anpassen (";
inline constexpr std::string_view kPathsReason2 = " Befehl)";
inline constexpr std::string_view kPathsReason3 = " Befehle)";
// ---------------------------------------------------------------------------

// ---------------------------------------------------------------------------
// The window layer: what it says when the system refuses a window.
inline constexpr std::string_view kWindowClassNotRegistered = "Die Fensterklasse konnte nicht angemeldet werden: ";
inline constexpr std::string_view kWindowNotCreated = "Das Fenster konnte nicht erzeugt werden: ";
inline constexpr std::string_view kControlNotCreated = "Das Steuerelement konnte nicht erzeugt werden: ";
inline constexpr std::string_view kNoSuchControl = "Das Fenster hat kein Steuerelement namens ";
inline constexpr std::string_view kNoSuchControlId = "Das Fenster hat kein Steuerelement mit der Nummer ";
inline constexpr std::string_view kNoSuchPanel = "Die Statusleiste hat kein Feld namens ";
inline constexpr std::string_view kCommonControlsMissing =
    "Die Windows-Standardsteuerelemente (comctl32.dll) sind nicht verfügbar.";
// ---------------------------------------------------------------------------

// ---------------------------------------------------------------------------
// Rovandel2: start-up, main window, address capture from ACT!, cookie clean-up.
inline constexpr std::string_view kRovStartActFirst = "Bitte starten Sie zuvor ACT!.";
inline constexpr std::string_view kRovOpenDatabaseFirst = "Bitte öffnen Sie zuvor eine ACT!-Datenbank.";
// "Fehler in " + routine, then the lines "Fehlernummer: " and "Fehlerbeschreibung: ".

// The main window's frames, labels (with their access keys), buttons and lists.
inline constexpr std::string_view kRovFrameStart = "Start";
inline constexpr std::string_view kRovFrameZiel = "Ziel";
inline constexpr std::string_view kRovFrameZeitplanung = "Zeitplanung";
inline constexpr std::string_view kRovFramePkw = "PKW";
inline constexpr std::string_view kRovFrameStrecke = "Streckenoptimierung";
inline constexpr std::string_view kRovStartStreet = "&Strasse";
inline constexpr std::string_view kRovStartHouseNo = "&Hausnummer";
inline constexpr std::string_view kRovStartZip = "&PLZ";
inline constexpr std::string_view kRovStartCity = "&Ort";
inline constexpr std::string_view kRovStartCountry = "&Land";
inline constexpr std::string_view kRovDestStreet = "S&trasse";
inline constexpr std::string_view kRovDestHouseNo = "H&ausnummer";
inline constexpr std::string_view kRovDestZip = "PL&Z";
inline constexpr std::string_view kRovDestCity = "O&rt";
inline constexpr std::string_view kRovDestCountry = "Lan&d";
inline constexpr std::string_view kRovCurrentRecord = "aktueller Datensatz";
inline constexpr std::string_view kRovPersonalRecord = "persönlicher Datensatz";
inline constexpr std::string_view kRovTimeType = "Zeitp&unkt";
inline constexpr std::string_view kRovTimeHours = "St&unde";
inline constexpr std::string_view kRovTimeMinutes = "&Minuten";
inline constexpr std::string_view kRovDeparture = "Abfahrt";
inline constexpr std::string_view kRovArrival = "Ankunft";
inline constexpr std::string_view kRovCarSlow = "&langsam";
inline constexpr std::string_view kRovCarMedium = "m&ittel";
inline constexpr std::string_view kRovCarFast = "schn&ell";
inline constexpr std::string_view kRovRouteShort = "&kurz";
inline constexpr std::string_view kRovRouteFast = "s&chnell";
inline constexpr std::string_view kRovAutoStart = "automatisch Startadresse auf persönlichen Kontakt setzen";
inline constexpr std::string_view kRovAutoZiel = "automatisch Zieladresse auf aktuellen Kontakt setzen";
inline constexpr std::string_view kRovBrowse = "Start";
// "Startet die Routenberechnung auf " + the route planner's host.
inline constexpr std::string_view kRovBrowseTip = "Startet die Routenberechnung auf ";
inline constexpr std::string_view kRovInfoTip = "Zeigt Informationen zu dem Programm an";
inline constexpr std::string_view kRovCountryDeu = "DEU";
inline constexpr std::string_view kRovCountryChe = "CHE";
inline constexpr std::string_view kRovCountryAut = "AUT";
// The addresses the window shows before anything was stored.
inline constexpr std::string_view kRovSampleStartStreet = "Am Marktplatz 4";
inline constexpr std::string_view kRovSampleStartZip = "37073";
inline constexpr std::string_view kRovSampleStartCity = "Göttingen";
inline constexpr std::string_view kRovSampleDestStreet = "Prinzipalmarkt 10";
inline constexpr std::string_view kRovSampleDestZip = "48143";
inline constexpr std::string_view kRovSampleDestCity = "Münster";
// The banner's lettering.
inline constexpr std::string_view kRovBannerSubtitle = "Routenplanung mit Adressen aus ACT!";
// The About window.
inline constexpr std::string_view kRovRights = "© Brannock-Heyl. Alle Rechte vorbehalten.";
// The credit text that scrolls in Rovandel2's About window; "#" marks a heading.
inline constexpr std::string_view kRovCredits =
    "#Rovandel2\n"
    "Routenplanung\n"
    "mit Adressen aus ACT!\n"
    "\n"
    "#Idee und Entwurf\n"
    "Brannock-Heyl\n"
    "\n"
    "#Programmierung\n"
    "Das Rovandel-Team\n"
    "\n"
    "#Gestaltung\n"
    "Atelier Brannock-Heyl\n"
    "\n"
    "#Erprobung\n"
    "Außendienst und\n"
    "Kundenbetreuung\n"
    "\n"
    "#Unser Dank\n"
    "gilt allen, die mit\n"
    "Rovandel2 schon viele\n"
    "Kilometer gefahren sind\n"
    "\n"
    "#Gute Fahrt!\n"
    "brannock-heyl.example";

// The status line: "Rovandel2: " + message.
inline constexpr std::string_view kRovStatusSeparator = ": ";
inline constexpr std::string_view kRovReady = "Adressen eingeben oder aus ACT! übernehmen.";
inline constexpr std::string_view kRovStartFromCurrent = "setze Startadresse auf Daten des aktuellen ACT!-Kontaktes.";
inline constexpr std::string_view kRovStartFromPersonal =
    "setze Startadresse auf Daten des persönlichen ACT!-Kontaktes.";
inline constexpr std::string_view kRovDestFromCurrent = "setze Zieladresse auf Daten des aktuellen ACT!-Kontaktes.";
inline constexpr std::string_view kRovDestFromPersonal = "setze Zieladresse auf Daten des persönlichen ACT!-Kontaktes.";
// A capture in which a call to ACT! failed; the boxes it could not fill are empty.
inline constexpr std::string_view kRovCaptureFailed =
    "Die Adresse konnte nicht vollständig aus ACT! übernommen werden.";
// Start with an automatic address, and ACT! did not answer (gone, or its
// call failed: then the number and description lines follow).
inline constexpr std::string_view kRovActNotAnswering =
    "ACT! antwortet nicht. Die Adressen bleiben, wie sie waren, und es wird keine Route berechnet.";

// The settings button of the main window and the settings window.
inline constexpr std::string_view kRovSettings = "Ei&nstellungen…";
inline constexpr std::string_view kRovSettingsTip = "Routenplaner, Browser, ACT!-Felder und Cookie-Ordner einstellen";
inline constexpr std::string_view kSetTitle = "Einstellungen";
inline constexpr std::string_view kSetFramePlanner = "Routenplaner";
inline constexpr std::string_view kSetPlanner = "Pla&ner";
inline constexpr std::string_view kSetOwnAddress = "Eigene Adresse…";
inline constexpr std::string_view kSetAddress = "&Adresse";
inline constexpr std::string_view kSetFrameBrowser = "Browser";
// "Automatisch (" + the browser the automatic choice takes now + ")"
inline constexpr std::string_view kSetAutomatic = "A&utomatisch";
inline constexpr std::string_view kSetEdge = "Microsoft &Edge";
inline constexpr std::string_view kSetChrome = "&Google Chrome";
inline constexpr std::string_view kSetDefaultBrowser = "&Standardbrowser";
inline constexpr std::string_view kSetInternetExplorer = "&Internet Explorer";
inline constexpr std::string_view kSetProgram = "&Programm…";
inline constexpr std::string_view kSetChooseProgram = "Dur&chsuchen…";
inline constexpr std::string_view kSetArguments = "Argu&mente";
inline constexpr std::string_view kSetNotFound = " (nicht gefunden)";
inline constexpr std::string_view kSetNoBrowserFound = "kein Browser gefunden";
inline constexpr std::string_view kSetDefaultBrowserWhy =
    "Der Standardbrowser füllt kein Formular aus: er ist nur mit einem Routenplaner wählbar, der die Adressen "
    "in der Webadresse nimmt.";
inline constexpr std::string_view kSetFrameFields = "ACT!-Felder";
inline constexpr std::string_view kSetFieldStreet = "S&traße";
inline constexpr std::string_view kSetFieldZip = "P&LZ";
inline constexpr std::string_view kSetFieldCity = "O&rt";
inline constexpr std::string_view kSetFieldCountry = "Lan&d";
// "Standard: " + the default field number
inline constexpr std::string_view kSetFieldDefault = "Standard: ";
inline constexpr std::string_view kSetDefaults = "Standard&werte";
inline constexpr std::string_view kSetFrameCookies = "Cookie-Ordner";
inline constexpr std::string_view kSetChooseFolder = "Durchsuc&hen…";
inline constexpr std::string_view kSetLocked = "vom Administrator festgelegt";
inline constexpr std::string_view kSetProgramTitle = "Browserprogramm wählen";
inline constexpr std::string_view kSetProgramFilter = "Programme (*.exe)|*.exe";
// Why OK is refused; each names its field.
inline constexpr std::string_view kSetBadAddress =
    "Im Feld „Adresse“ muss eine Internetadresse stehen, die mit http:// oder https:// beginnt.";
// "Im Feld „" + field + "“ muss eine ganze Zahl von 1 bis 32767 stehen."
inline constexpr std::string_view kSetBadField1 = "Im Feld „";
inline constexpr std::string_view kSetBadField2 = "“ muss eine ganze Zahl von 1 bis 32767 stehen.";
inline constexpr std::string_view kSetNoProgram = "Im Feld „Programm“ fehlt das Browserprogramm.";
inline constexpr std::string_view kSetProgramMissing = "Das Programm im Feld „Programm“ gibt es nicht: ";
inline constexpr std::string_view kFieldNameStreet = "Straße";
inline constexpr std::string_view kFieldNameZip = "PLZ";
inline constexpr std::string_view kFieldNameCity = "Ort";
inline constexpr std::string_view kFieldNameCountry = "Land";

// The cookie clean-up.
inline constexpr std::string_view kRovChooseCookieFolder = "Bitte wählen Sie den Cookie-Ordner aus";
inline constexpr std::string_view kRovSearchingCookies = "durchsuche Cookies ...";
// "Soll der Cookie '" + file name + "' gelöscht werden?"
inline constexpr std::string_view kRovDeleteCookie1 = "Soll der Cookie '";
inline constexpr std::string_view kRovDeleteCookie2 = "' gelöscht werden?";
// "Der Cookie '" + file name + "' konnte nicht gelöscht werden." + CR LF + reason
inline constexpr std::string_view kRovCookieNotDeleted1 = "Der Cookie '";
inline constexpr std::string_view kRovCookieNotDeleted2 = "' konnte nicht gelöscht werden.";
inline constexpr std::string_view kRovCookieFolderUnreadable = "Der Cookie-Ordner konnte nicht gelesen werden: ";

// Why a file is still there after a deletion that is not forced.
inline constexpr std::string_view kFileReadOnly = "Die Datei ist schreibgeschützt.";
inline constexpr std::string_view kFileInUse = "Die Datei wird gerade von einem anderen Programm benutzt.";
inline constexpr std::string_view kFileNotOrdinary =
    "Das ist keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder ein Ordner.";
inline constexpr std::string_view kFileIsFolder = "Das ist ein Ordner, keine Datei.";

// ---------------------------------------------------------------------------
// The route page run of Rovandel2 (the Start button): the browser is opened,
// the route planner's page awaited, its form filled and its button pressed.
inline constexpr std::string_view kRouteOpenBrowser = "öffne Internet Explorer...";
// While the browser shows itself, after the address is handed over, and once
// it is no longer busy and the document is awaited.
inline constexpr std::string_view kRouteOpeningPage = "öffne Internetseite...";
inline constexpr std::string_view kRouteAwaitingPage = "öffne Internetseite....";
inline constexpr std::string_view kRouteAwaitingDocument = "öffne Internetseite.....";
inline constexpr std::string_view kRouteFillForm = "fülle Formular...";
// "Fehler in " + routine, then the number and description lines of the class errors.
inline constexpr std::string_view kRouteWaitQuestion =
    "Soll Rovandel2 noch weiter auf den Aufbau von der Internetseite warten?";
inline constexpr std::string_view kRouteFormMissing1 = "Es wurde nicht das Start- und Ziel-Formular gefunden.";
inline constexpr std::string_view kRouteFormMissing2 = "Eventuell hat sich der Aufbau der Internetseite geändert.";
// "Das Formular auf der Internetseite von " + Anbietername + " hat sich verändert.",
// "Das Programm " + Programmname + " muß daher angepaßt werden.",
// "Bitte informieren Sie den Hersteller " + maker + ".", "(" + the maker's web address + ")"
inline constexpr std::string_view kRoutePageChanged1 = "Das Formular auf der Internetseite von ";
inline constexpr std::string_view kRoutePageChanged1End = " hat sich verändert.";
inline constexpr std::string_view kRoutePageChanged2 = "Das Programm ";
inline constexpr std::string_view kRoutePageChanged2End = " muß daher angepaßt werden.";
inline constexpr std::string_view kRoutePageChanged3 = "Bitte informieren Sie den Hersteller ";
inline constexpr std::string_view kRoutePageChanged3End = ".";
inline constexpr std::string_view kRouteButtonFailed1 =
    "Die Schaltfläche zum Berechnen der Route konnte nicht gedrückt werden.";
// "Bitte teilen Sie das dem Hersteller " + maker + " (" + web address + ") mit, damit er das Programm anpassen kann."
inline constexpr std::string_view kRouteButtonFailed2 = "Bitte teilen Sie das dem Hersteller ";
inline constexpr std::string_view kRouteButtonFailed2End = ") mit, damit er das Programm anpassen kann.";
inline constexpr std::string_view kRouteButtonFailed3 = "Vielen Dank!";
// The browser went (closed, its connection broken, no answer in time) while
// the form was filled; the number and description lines follow.
inline constexpr std::string_view kRouteBrowserGone =
    "Der Browser ist nicht mehr erreichbar; die Route wurde nicht berechnet.";
// The planner's page could not be loaded: "Der Routenplaner " + its host +
// " ist nicht erreichbar: " + the reason, one sentence each; then, unless
// the planner is OpenStreetMap itself, the offer to show the route there.
// The offer also follows the form-missing and page-changed messages.
// Settings Rovandel2 refuses before any browser starts.
inline constexpr std::string_view kRouteNoWebAddress1 = "Die Einstellung „URL“ enthält keine Webadresse:\r\n";
inline constexpr std::string_view kRouteNoWebAddress2 =
    "\r\n\r\nRovandel2 öffnet nur Adressen, die mit http:// oder https:// beginnen.";
inline constexpr std::string_view kRouteForbiddenSwitch1 =
    "Die Einstellung „BrowserArgumente“ enthält den Schalter\r\n";
inline constexpr std::string_view kRouteForbiddenSwitch2 =
    "\r\n\r\nEr öffnet oder ändert den Steuerkanal oder das Profil des Browsers. Rovandel2 startet "
    "den Browser damit nicht.";
inline constexpr std::string_view kRouteUnreachable1 = "Der Routenplaner ";
inline constexpr std::string_view kRouteUnreachable2 = " ist nicht erreichbar: ";
inline constexpr std::string_view kRouteReasonNameNotResolved = "Der Name des Servers wurde nicht gefunden.";
inline constexpr std::string_view kRouteReasonRefused = "Der Server hat die Verbindung abgelehnt.";
inline constexpr std::string_view kRouteReasonReset = "Die Verbindung zum Server wurde unterbrochen.";
inline constexpr std::string_view kRouteReasonTimedOut = "Der Server hat nicht rechtzeitig geantwortet.";
inline constexpr std::string_view kRouteReasonOffline = "Dieser Computer ist nicht mit dem Internet verbunden.";
inline constexpr std::string_view kRouteReasonCertificate =
    "Das Sicherheitszertifikat des Servers wurde nicht anerkannt.";
// "Der Server hat mit dem Fehler " + the HTTP status + " geantwortet."
inline constexpr std::string_view kRouteReasonHttp1 = "Der Server hat mit dem Fehler ";
inline constexpr std::string_view kRouteReasonHttp2 = " geantwortet.";
// "Der Browser konnte die Seite nicht laden" + (" (" + the browser's code + ")") + "."
inline constexpr std::string_view kRouteReasonOther = "Der Browser konnte die Seite nicht laden";
inline constexpr std::string_view kRouteOfferOpenStreetMap = "Route stattdessen bei OpenStreetMap anzeigen?";

// The browser's faults, as descriptions of the errors the browser seam raises.
inline constexpr std::string_view kBrowserEdge = "Microsoft Edge";
inline constexpr std::string_view kBrowserChrome = "Google Chrome";
inline constexpr std::string_view kBrowserInternetExplorer = "Internet Explorer";
// "Der Browser " + name + " wurde nicht gefunden."
inline constexpr std::string_view kBrowserNotFound = "Der Browser ";
inline constexpr std::string_view kDefaultBrowserFailed =
    "Der Standardbrowser konnte die Internetseite nicht öffnen. Ist ein Browser als Standard eingerichtet?";
inline constexpr std::string_view kBrowserNotFoundEnd = " wurde nicht gefunden.";
inline constexpr std::string_view kBrowserProgramMissing = "Das Browserprogramm wurde nicht gefunden: ";
inline constexpr std::string_view kBrowserNotStarted = "Der Browser konnte nicht gestartet werden: ";
// "Das Programm " + path + " ist kein unterstützter Browser. " + why
inline constexpr std::string_view kBrowserUnsupported1 = "Das Programm ";
inline constexpr std::string_view kBrowserUnsupported2 = " ist kein unterstützter Browser. ";
inline constexpr std::string_view kInfoNoticesLink = "Drittanbieter";
inline constexpr std::string_view kInfoNoticesTip = "Hinweise zu Drittanbietern (Drittanbieter.txt)";
inline constexpr std::string_view kInfoNoticesFailed = "Die Hinweise zu Drittanbietern lassen sich nicht öffnen:\r\n";
inline constexpr std::string_view kBrowserNoProgram = "Es ist kein Programm wie Edge, Chrome oder Chromium.";
inline constexpr std::string_view kBrowserNotChromiumFamily =
    "Seine Versionsangaben nennen keinen Browser der Chromium-Familie (Edge, Chrome, Chromium, Brave, Vivaldi, "
    "Opera); Rovandel2 startet es nicht.";
inline constexpr std::string_view kBrowserNoPort = "Es hat innerhalb von 20 Sekunden keine Steuerverbindung geöffnet.";
inline constexpr std::string_view kBrowserProfileInUse =
    "Das Browserprofil von Rovandel2 wird von einem anderen Browserfenster benutzt: ";
inline constexpr std::string_view kBrowserCannotConnect = "Der Browser ist nicht erreichbar.";
// Every place of the browser's keeper stayed taken by other runs of Rovandel2.
inline constexpr std::string_view kBrowserKeeperBusy =
    "Der Browser ist gerade mit anderen Aufrufen von Rovandel2 beschäftigt. Bitte versuchen Sie es gleich noch "
    "einmal.";
inline constexpr std::string_view kBrowserConnectionLost =
    "Die Verbindung zum Browser ist abgebrochen (wurde das Browserfenster geschlossen?).";
inline constexpr std::string_view kBrowserTimeout = "Der Browser hat nicht rechtzeitig geantwortet.";
inline constexpr std::string_view kBrowserBadAnswer = "Der Browser hat eine unverständliche Antwort gegeben.";
inline constexpr std::string_view kBrowserMessageTooLong =
    "Der Browser hat eine zu lange Nachricht geschickt (über 8 MB); die Verbindung wurde getrennt.";
// "Der Browser hat den Befehl " + command + " abgelehnt: " + the browser's reason
inline constexpr std::string_view kBrowserRejected1 = "Der Browser hat den Befehl ";
inline constexpr std::string_view kBrowserRejected2 = " abgelehnt: ";
inline constexpr std::string_view kBrowserScriptError = "Die Seite meldet einen Skriptfehler: ";
inline constexpr std::string_view kBrowserNoValue = "Das Element nimmt keinen Wert an.";
inline constexpr std::string_view kBrowserValueRefused = "Das Element hat den Wert nicht übernommen.";
inline constexpr std::string_view kBrowserNoClick = "Das Element lässt sich nicht anklicken.";
// ---------------------------------------------------------------------------
// --- The command editor (frmBearbeiten) and picture files -----------------
inline constexpr std::string_view kEditButton = "B&earbeiten…";
inline constexpr std::string_view kEditTitle = "ACT!-Benutzerbefehl bearbeiten";
inline constexpr std::string_view kEditName = "&Name:";
inline constexpr std::string_view kEditZeile = "&Zeile:";
inline constexpr std::string_view kEditStart = "&Start:";
inline constexpr std::string_view kEditQuickInfo = "&QuickInfo:";
inline constexpr std::string_view kEditBeschreibung = "&Beschreibung:";
inline constexpr std::string_view kEditMenu = "&Menü:";
// The fields as the editor's messages name them.
inline constexpr std::string_view kEditFieldName = "Name";
inline constexpr std::string_view kEditFieldZeile = "Zeile";
inline constexpr std::string_view kEditFieldStart = "Start";
inline constexpr std::string_view kEditFieldQuickInfo = "QuickInfo";
inline constexpr std::string_view kEditFieldBeschreibung = "Beschreibung";
inline constexpr std::string_view kEditFieldMenu = "Menü";
inline constexpr std::string_view kEditBrowse = "&Durchsuchen…";
inline constexpr std::string_view kEditBrowseTitle = "Programm für den Befehl wählen";
inline constexpr std::string_view kEditBrowseFilter =
    "Programme (*.exe;*.com;*.bat;*.cmd)|*.exe;*.com;*.bat;*.cmd|Alle Dateien (*.*)|*.*";
// "noch " + n + " Zeichen"; too long: n + " Zeichen zu viel"
inline constexpr std::string_view kEditRoomStart = "noch ";
inline constexpr std::string_view kEditRoomEnd = " Zeichen";
inline constexpr std::string_view kEditTooMuch = " Zeichen zu viel";
inline constexpr std::string_view kEditLargePicture = "Großes Bild:";
inline constexpr std::string_view kEditSmallPicture = "Kleines Bild:";
inline constexpr std::string_view kEditLoadLarge = "Bild &laden…";
inline constexpr std::string_view kEditSaveLarge = "Als &PNG speichern…";
inline constexpr std::string_view kEditLoadSmall = "Bild l&aden…";
inline constexpr std::string_view kEditSaveSmall = "Als P&NG speichern…";
inline constexpr std::string_view kEditPictureOpenTitle = "Bild für die Schaltfläche laden";
inline constexpr std::string_view kEditPictureFilter =
    "Bilder (*.bmp;*.ico;*.png)|*.bmp;*.ico;*.png|Alle Dateien (*.*)|*.*";
inline constexpr std::string_view kEditPngSaveTitle = "Bild als PNG speichern";
inline constexpr std::string_view kEditPngFilter = "PNG-Bilder (*.png)|*.png";
inline constexpr std::string_view kEditPngExtension = "png";
// "Der Text im Feld '" + field + "' " + why
inline constexpr std::string_view kEditFieldStartText = "Der Text im Feld '";
inline constexpr std::string_view kEditNotInCodePage =
    "' enthält Zeichen, die ACT! nicht speichern kann (möglich sind nur die Zeichen der Codepage Windows-1252).";
inline constexpr std::string_view kEditTooLongStart = "' ist um ";
inline constexpr std::string_view kEditTooLongEnd = " Zeichen zu lang.";
inline constexpr std::string_view kEditNameEmpty = "Bitte geben Sie dem Befehl einen Namen.";
// "Das große Bild" / "Das kleine Bild" + why
inline constexpr std::string_view kEditLargePictureSubject = "Das große Bild";
inline constexpr std::string_view kEditSmallPictureSubject = "Das kleine Bild";
inline constexpr std::string_view kEditPictureUnusable =
    " dieses Befehls kann nicht ersetzt werden: seine gespeicherten Bytes haben keinen lesbaren Bildkopf "
    "(Breite, Höhe und 3 oder 4 Bytes je Bildpunkt).";
inline constexpr std::string_view kEditPictureNotLoaded = " konnte nicht geladen werden:";
inline constexpr std::string_view kEditPictureNotSaved = " konnte nicht gespeichert werden:";
// Picture files (the platform's image codec).
inline constexpr std::string_view kImageNotRead = "Das Bild kann nicht gelesen werden: ";
inline constexpr std::string_view kImageNotWritten = "Das Bild kann nicht geschrieben werden: ";
inline constexpr std::string_view kImageNoCodec = "Die Bildverarbeitung von Windows (WIC) ist nicht verfügbar.";
inline constexpr std::string_view kImageSystemError = " (Fehler ";
// ---------------------------------------------------------------------------

}  // namespace texts

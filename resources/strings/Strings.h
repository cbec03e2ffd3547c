#pragma once

// The string table: every text that a user sees, exactly as the program shows
// it. Texts are UTF-8; the full-width punctuation ("：", "，", "％") and the
// spelling of the texts are the program's own and must stay as they stand.
// Texts with printf directives are formats; everything else is shown as is.
// One text a line, however long: a text is found whole, as the user sees it.

namespace strings {

// --- Application -------------------------------------------------------------
inline constexpr char kAppName[] = "tavrin"; // message box captions
inline constexpr char kMainWindowTitle[] = "Corvane-Quillmark";
inline constexpr char kAboutMenuItem[] = "关于 Tavrin(&A)...";                 // string 101
inline constexpr char kSocketStartupFailed[] = "Windows 通信端口初始化失败。"; // string 103
inline constexpr char kAboutTitle[] = "关于 Tavrin";
inline constexpr char kAboutVersion[] = "Tavrin 1.0 版";
inline constexpr char kAboutRights[] = "Copyright (C) 2026 The Tavrin developers";
inline constexpr char kAboutOk[] = "确定";
inline constexpr char kGridFont[] = "宋体";

// --- Main window title, status bar, unsaved host names ----------------------
// %s: the show store's file name; "[*]" marks unsaved host names
inline constexpr char kMainWindowTitleWithStore[] = "%s[*] - Corvane-Quillmark";
inline constexpr char kStatusNoStore[] = "no show store";
// %d: fire records, %d: host names
inline constexpr char kStatusCounts[] = "%d fire records,%d hosts";
inline constexpr char kStatusUnsaved[] = "unsaved changes";

// Before unsaved host names would be dropped or passed over.
// %s: what comes next (one of those below)
inline constexpr char kUnsavedQuestion[] = "the host names have not been saved,save them before %s?";
inline constexpr char kUnsavedBeforeExit[] = "exit";
inline constexpr char kUnsavedBeforeOpen[] = "loading another show";
inline constexpr char kUnsavedBeforeDownload[] = "download";
inline constexpr char kUnsavedBeforeHostSettings[] = "host settings";
inline constexpr char kUnsavedBeforeHostPlan[] = "the host plan";
inline constexpr char kUnsavedBeforeLoadAll[] = "loading all hosts";

inline constexpr char kGridAccessibleName[] = "fire records";

// The show check before a download from the window, or before loading all
// hosts, when it found errors.
inline constexpr char kCheckDownloadAnyway[] = "Download anyway";
inline constexpr char kCheckLoadAnyway[] = "Load anyway";
inline constexpr char kCheckCancel[] = "Cancel";
// %d: warnings, %s: their texts
inline constexpr char kCheckWarningsBeforeDownload[] = "show check：%d warnings,%s";

// --- Menus -------------------------------------------------------------------
inline constexpr char kMenuFile[] = "File";
inline constexpr char kMenuLoadDatabase[] = "Load Database";
inline constexpr char kMenuFireOneDatabase[] = "FireOne Database";
inline constexpr char kMenuCorvaneDatabase[] = "Corvane Database";
inline constexpr char kMenuClose[] = "Close";
inline constexpr char kMenuSave[] = "Save";
inline constexpr char kMenuExit[] = "Exit";
inline constexpr char kMenuEdit[] = "Edit";
inline constexpr char kMenuAssignHost[] = "Assign Host";
inline constexpr char kMenuTools[] = "Tools";
inline constexpr char kMenuHostSettings[] = "Host Settings...";
inline constexpr char kMenuDownload[] = "Download...";
inline constexpr char kMenuHelp[] = "Help";
inline constexpr char kMenuAbout[] = "About...";
inline constexpr char kPopupMenu[] = "_POP_";
inline constexpr char kPopupAssignedHost[] = "Assigned Host";
inline constexpr char kPopupSave[] = "Save...";
inline constexpr char kToolbarOpen[] = "Open show store"; // toolbar button tips
inline constexpr char kToolbarSave[] = "Save";
inline constexpr char kToolbarDownload[] = "Download...";

// --- Grid captions -----------------------------------------------------------
inline constexpr char kColSequence[] = "Sequence";
inline constexpr char kColHost[] = "Host";
inline constexpr char kColLaunchTime[] = "Launch Time";
inline constexpr char kColOffset[] = "Offset";
inline constexpr char kColEvent[] = "Event";
inline constexpr char kColSla[] = "Sla";
inline constexpr char kColCue[] = "Cue";
inline constexpr char kColNote[] = "Note";

// --- File choosers -----------------------------------------------------------
inline constexpr char kFilterMdbEnglish[] = "mdb files (*.mdb)";
inline constexpr char kFilterMdbChinese[] = "mdb 文件 (*.mdb)";
inline constexpr char kFilterFireOneScript[] = "FireOne script files (*.fir)";
inline constexpr char kFilterSqlite[] = "SQLite files (*.db *.sqlite *.sqlite3)";
inline constexpr char kFilterAll[] = "All files (*)";
inline constexpr char kFilterShowStores[] = "Show stores (*.mdb *.db *.sqlite *.sqlite3)";

// --- Main window, open, save, import, assignment -----------------------------
inline constexpr char kExitQuestion[] = "do you sure eixt this system?";
inline constexpr char kAssignQuestion[] = "do you sure to adjuest the host of selected grid?";
inline constexpr char kAssignHostTitle[] = "Assign Host";
inline constexpr char kAssignHostLabel[] = "Host Name:";
inline constexpr char kAssignHostEmpty[] = "host name cannot be seted as null";
inline constexpr char kAssignHostControlCharacter[] = "host name cannot hold control characters (line breaks, tabs, escapes)";
inline constexpr char kSaveHostEmpty[] = "host name cannot be seted as null!";
inline constexpr char kSaveDone[] = "fire data have saved!";
// %d: grid row, %d: the column's width in characters
inline constexpr char kSaveHostTooLong[] = "host name of row %d is longer than %d characters,fire data have not saved!";
// %d: grid row
inline constexpr char kSaveHostNotGbk[] = "host name of row %d has a character a firing host cannot show,fire data have not saved!";
// %d: grid row
inline constexpr char kSaveHostControl[] = "host name of row %d holds control characters,fire data have not saved!";
inline constexpr char kSaveStoreChanged[] = "the show store was changed by another program,fire data have not saved!";
// A host name refused as it is typed, in Save's words. %d: the width in characters
inline constexpr char kHostNameTooLong[] = "host name is longer than %d characters!";
// %s: the name
inline constexpr char kHostNameNotGbk[] = "host name %s has a character a firing host cannot show!";
// %s: the database's account of the failure
inline constexpr char kSaveFailed[] = "the show store cannot be written,fire data have not saved!\n%s";
// %d: fire record (from 1), %s: field name
inline constexpr char kOpenBadField[] = "fire record %d has no readable %s field,the show has not been loaded!";
// %s: the database's account of the failure
inline constexpr char kOpenFailed[] = "the show store cannot be read,the show has not been loaded!\n%s";
// `assign` before it changes anything. %s: why
inline constexpr char kAssignReadFailed[] = "the show store cannot be read,fire data have not saved!\n%s";
// %s: the database's account of the failure
inline constexpr char kImportSourceUnreadable[] = "the FireOne database cannot be read,the show has not been imported!\n%s";
// %d: FireOne record (from 1), %s: field name
inline constexpr char kImportBadField[] = "FireOne record %d has no readable %s field,the show has not been imported!";
// %d: FireOne record (from 1), %s: the value
inline constexpr char kImportFractionalTime[] = "FireOne record %d: LaunchTimeMS %s is not a whole number of milliseconds, the show has not been imported!";
// %d: FireOne record (from 1), %s: field name, %s: the value
inline constexpr char kImportFractionalValue[] = "FireOne record %d: %s %s is not a whole number, the show has not been imported!";
// %s: the database's account of the failure
inline constexpr char kImportStoreNotCreated[] = "the show store cannot be created,the show has not been imported!\n%s";
// %s: the database's account of the failure
inline constexpr char kImportFailed[] = "the show cannot be imported,the show store is unchanged!\n%s";
// A FireOne file imported before, whose show changed. %d: cues added,
// removed, with a new launch time; cues that keep a host name, go back to HOST
inline constexpr char kReimportQuestion[] = "the FireOne show has changed since it was imported: %d fire records added, %d removed, %d with a new launch time.\nupdate the show store? %d fire records keep their host name, %d go back to HOST.\n(No opens the show store as it stands)";
inline constexpr char kReimportDone[] = "the show store has been updated from the FireOne show: %d fire records added, %d removed, %d with a new launch time; %d kept their host name, %d are on HOST.";
// After kReimportQuestion or kReimportDone when a rule paired old cues of
// different host names that cannot be told apart. %d: new cues whose names
// are a guess, %s: the host names that left the show, or kReimportNoNameLeft
inline constexpr char kReimportGuessed[] = "%d fire records matched old ones of different host names that cannot be told apart and took the first one's host name (not counted as kept); host names no longer in the show: %s";
inline constexpr char kReimportNoNameLeft[] = "none";
// %d: fire records with NULL in LaunchTimeMS, Event, Slat or Cue
inline constexpr char kImportNullFireRecords[] = "%d fire records have NULL in a field the import reads and were imported with 0 there,the show check names them!";
inline constexpr char kReimportNoFireData[] = "the FireOne file holds no fire records now,the show store is opened as it stands!";
// %s: the chosen file
inline constexpr char kLayoutNotShowTable[] = "The table tb_Layout in %s is not a show table (it has no %s),the file has not been changed!";
inline constexpr char kImportNotShowStore[] = "%s is not a show store and has not been changed,choose a new file or a show store!";
inline constexpr char kButtonOk[] = "OK";
inline constexpr char kButtonCancel[] = "Cancel";
// The progress dialog of a long command, and what each says it is doing.
inline constexpr char kProgressImporting[] = "importing the FireOne show...";
inline constexpr char kProgressOpening[] = "loading the show store...";
inline constexpr char kProgressSaving[] = "saving fire data...";
inline constexpr char kProgressChecking[] = "checking the show...";
// %d: fire records read or written so far
inline constexpr char kProgressRecords[] = "%d fire records";

// --- Download ----------------------------------------------------------------
inline constexpr char kDownloadTitle[] = "Download";
inline constexpr char kDownloadHostCodeGroup[] = "Host Code:";
inline constexpr char kDownloadCodeLabel[] = "Code:";
inline constexpr char kDownloadTest[] = "Test";
inline constexpr char kDownloadButton[] = "Download";
inline constexpr char kDownloadCancel[] = "Cancel";
inline constexpr char kDownloadClose[] = "Close";
inline constexpr char kDownloadBackup[] = "Download Backup";
inline constexpr char kDownloadProgressGroup[] = "Download Progress...";
inline constexpr char kNetworkInitialFailure[] = "network initial failure!";
inline constexpr char kNoLayoutTable[] = "数据库中没有发现编排表!";
inline constexpr char kDatabaseException[] = "database exception!";
inline constexpr char kPleaseInputHostCode[] = "please input host code!";
inline constexpr char kHostCodeOutOfRange[] = "host code input error,host code must be a number between 1 and 252!";
inline constexpr char kSetSocketTimeoutFailed[] = "network exception，set SOCKET timeout!";
inline constexpr char kSetProjectNameFailed[] = "network exception，set project name faulure!";
inline constexpr char kCancelDownload[] = "cancel download...";
inline constexpr char kCueSendFailed[] = "download fire data timeout,download failure!";
inline constexpr char kHostEchoTimeout[] = "host echo timeout,download failure!";
inline constexpr char kCueRefused[] = "network exception，download failure!";
// The command line's summary of a field load. %d: the frame refused, the project name being the first
inline constexpr char kCliHostRefusedCue[] = "the host refused the cue at frame %d,download failure!";
inline constexpr char kDownloadedPercent[] = "downloaded：%i％"; // %i: percent
inline constexpr char kDownloadEnd[] = "download end...";
inline constexpr char kDownloadTotal[] = "download total：%ifire record..."; // %i: cues

// --- Frame builders ----------------------------------------------------------
inline constexpr char kBuildProjectNameFailed[] = "程序异常，创建工程名下载信息失败!";
inline constexpr char kBuildHostNameFailed[] = "程序异常，创建主机设定信息失败!";
inline constexpr char kBuildCueFailed[] = "程序异常，创建编排下载信息失败!";

// --- Host settings -----------------------------------------------------------
inline constexpr char kHostSettingsTitle[] = "Host Setings";
inline constexpr char kHostSettingsCodeGroup[] = "Host Code：";
inline constexpr char kHostSettingsListGroup[] = "Host Lists:";
inline constexpr char kHostSettingsCodeLabel[] = "Code:";
inline constexpr char kHostSettingsSet[] = "Setings";
inline constexpr char kHostSettingsExit[] = "Exit";
inline constexpr char kHostSettingsNetworkInitFailed[] = "初始化网络失败!";
inline constexpr char kHostSettingsDatabaseException[] = "数据库操作异常!";
inline constexpr char kHostSettingsNoneTicked[] = "您还没有选择一个需要设定的主\n机，请选择后再设定主机!";
inline constexpr char kHostSettingsBadName[] = "主机名不能为空或长度超过64个字节!";
inline constexpr char kHostSettingsNoCode[] = "请输入主机编号!";
inline constexpr char kHostSettingsBadCode[] = "主机编号输入错误：主机编号\n必须是1~252之间的一个数字!";
inline constexpr char kHostSettingsSendTimeoutFailed[] = "网络异常，设定SOCKET发送超时失败!";
inline constexpr char kHostSettingsRecvTimeoutFailed[] = "网络异常，设定SOCKET接收超时失败!";
inline constexpr char kHostSettingsFailed[] = "网络异常，设定主机失败!";
inline constexpr char kHostSettingsDone[] = "燃放主机已设定!";

// --- Show check --------------------------------------------------------------
inline constexpr char kMenuCheckShow[] = "Check Show...";
inline constexpr char kCheckTitle[] = "Check Show";
inline constexpr char kCheckError[] = "error";
inline constexpr char kCheckWarning[] = "warning";
inline constexpr char kCheckColumnSeverity[] = "Severity";
inline constexpr char kCheckColumnFinding[] = "Finding";
inline constexpr char kCheckClose[] = "Close";
// %d: fire records, %d: errors, %d: warnings
inline constexpr char kCheckSummary[] = "%d fire records,%d errors,%d warnings";
inline constexpr char kCheckNothingFound[] = "no problem found,the show is ready for download!";
// %s: the database's account of the failure
inline constexpr char kCheckUnreadable[] = "the show store cannot be read,the show has not been checked!\n%s";
inline constexpr char kCheckEmptyShow[] = "the show has no fire record!";
// %s: host name, %d: Sla, %d: Cue, %d: fire records
inline constexpr char kCheckSharedFiringPoint[] = "host %s,Sla %d,Cue %d is fired by %d fire records!";
inline constexpr char kCheckNegativeTime[] = "launch time is negative,the cue would fire before the show starts!";
// %s: column caption, %s: the stored text, %d: the number the host would get
inline constexpr char kCheckNotDecimal[] = "%s \"%s\" is not a plain decimal number,the host would get %d!";
// %s: column caption, %s: the stored text
inline constexpr char kCheckNumberTooLarge[] = "%s \"%s\" is too large a number,the cue cannot be downloaded!";
inline constexpr char kCheckHostBlank[] = "host name is empty,no host has been assigned to the cue!";
// %s: host name
inline constexpr char kCheckHostNotGbk[] = "host name %s cannot be written in GBK,the cue cannot be downloaded!";
// %s: host name, %d: its GBK bytes, %d: the limit
inline constexpr char kCheckHostTooLong[] = "host name %s is %d bytes in GBK,longer than %d,the cue cannot be downloaded!";
// %s: the import's host name
inline constexpr char kCheckDefaultHost[] = "fire records still on the default host %s,no host has been assigned to them!";
// %s: the show store's column
inline constexpr char kCheckNullNumber[] = "%s is NULL in the show store,the host would get 0!";
inline constexpr char kCheckNullHostName[] = "HostName is NULL in the show store,no host has been assigned to the cue!";
// A cue made from a FireOne record with NULL in a field the import reads (it
// was imported as 0).
inline constexpr char kCheckFireNoLaunchTime[] = "fire record with no launch time";
inline constexpr char kCheckFireNoModule[] = "fire record with no module";
inline constexpr char kCheckFireNoCueNumber[] = "fire record with no cue number";
inline constexpr char kCheckFireNoEvent[] = "fire record with no event code";
// %s: host name, its control characters written as \x1b or \u0085
// %s: host name, %d: the store's width in characters
inline constexpr char kCheckHostTooWide[] = "host name %s is longer than %d characters,the show store cannot hold it!";
inline constexpr char kCheckHostControl[] = "host name %s holds control characters,the cue cannot be downloaded!";
// %s: column caption, %s: the stored text
inline constexpr char kCheckNegativeNumber[] = "%s \"%s\" is negative,no firing module or pin has that number!";

// --- Command line ------------------------------------------------------------
inline constexpr char kCliDescription[] = "tavrin-cli: the show designer's commands from a terminal. Exit codes: 0 success, 1 failure, 2 usage error.";
inline constexpr char kCliImportHelp[] = "FireOne import: make a show store of a FireOne file and print where it is";
inline constexpr char kCliShowHelp[] = "show the cues of a show store as the window's grid shows them";
inline constexpr char kCliAssignHelp[] = "assign a host name to cue rows and save, all or nothing";
inline constexpr char kCliHostsHelp[] = "the per-host load sheet: cues, first and last launch time and modules of each host name";
inline constexpr char kCliCheckHelp[] = "check a show store before it goes to a firing host";
inline constexpr char kCliDownloadHelp[] = "download a show store to a firing host (the show check runs first)";
inline constexpr char kCliSetHostHelp[] = "tell a firing host which host name of the show it stands for";
inline constexpr char kCliSimulateHostHelp[] = "play a firing host: acknowledge every frame and print it as one JSON line";
inline constexpr char kCliFileHelp[] = "the FireOne file (Access or SQLite)";
inline constexpr char kCliStoreHelp[] = "the show store";
inline constexpr char kCliNewStoreHelp[] = "make the show store as a new file NEW, the FireOne file left as it is (default: an Access file's folder and name with .db; an SQLite FireOne file becomes the show store itself)";
inline constexpr char kCliCsvHelp[] = "comma-separated values";
inline constexpr char kCliCsvFileHelp[] = "comma-separated values, to standard output or, given FILE, into FILE";
inline constexpr char kCliJsonHelp[] = "JSON";
inline constexpr char kCliHostHelp[] = "the host name to assign";
inline constexpr char kCliRowsHelp[] = "grid positions of the cue rows, from 1: lists and ranges such as 1-40,52";
inline constexpr char kCliHostCodeHelp[] = "the host code 1..252: the host at 192.168.10.N";
inline constexpr char kCliTargetHelp[] = "send to ADDR:PORT instead of the built-in 192.168.10.N:10061 (virtual host, lab set-up)";
inline constexpr char kCliVerboseHelp[] = "on a database failure, also print the access layer's whole error record";
inline constexpr char kCliForceHelp[] = "download even when the show check finds errors";
inline constexpr char kCliSetHostForceHelp[] = "send the name even when the host plan gives the host code to another name";
// %d: host code; %s: the name the plan gives it
inline constexpr char kCliHostCodeTaken[] = "the host plan gives host code %d to %s,set-host refused! (--force sends it all the same)";
inline constexpr char kCliPlanUncheckedRefused[] = "the host code cannot be checked against the host plan,set-host refused! (--force sends it all the same)";
inline constexpr char kCliNameHelp[] = "the host name to send; one of the show's host names";
inline constexpr char kCliListenHelp[] = "listen on ADDR:PORT (default 127.0.0.1:10061); repeat it to play one host on each";
inline constexpr char kCliAddressHelp[] = "without --listen: listen on address A (default 127.0.0.1; other than 127.x.x.x only where loopback is the only interface)";
inline constexpr char kCliPortHelp[] = "without --listen: listen on port P (0: any free port)";
inline constexpr char kCliReplyTwiceHelp[] = "send every reply a second time MS milliseconds later (a host that answers twice)";
inline constexpr char kCliLateFrameHelp[] = "reply to frame K MS milliseconds later than to the others (repeatable)";
inline constexpr char kCliReplyTwiceFrameHelp[] = "send the reply to frame K a second time MS milliseconds later (repeatable)";
inline constexpr char kCliRefuseFrameHelp[] = "refuse frame K (frames count from 1)";
inline constexpr char kCliSilentFromHelp[] = "no reply to frame K and after";
inline constexpr char kCliOtherPortHelp[] = "reply from a second port, which listens too";
inline constexpr char kCliFiveBytesHelp[] = "reply with five bytes instead of four";
inline constexpr char kCliReplyDelayHelp[] = "wait MS milliseconds before each reply";
inline constexpr char kCliReplyAddressHelp[] = "reply from address A instead";
inline constexpr char kCliDecoyHelp[] = "send an extra 01 00 00 00 from A before each reply";
inline constexpr char kCliExitAfterHelp[] = "stop after N frames";
inline constexpr char kCliHexHelp[] = "add each frame's bytes to its line, in hexadecimal (\"hex\")";
// %s: the text given
inline constexpr char kCliBadRows[] = "not a list of grid positions such as 1-40,52: %s";
// %d: the row, %d: the show's fire records
inline constexpr char kCliRowOutOfRange[] = "row %d is not a fire record of the show,the show has %d fire records!";
// %s: the option, %s: the text given
inline constexpr char kCliBadAddressPort[] = "%s: not an IPv4 address and port such as 127.0.0.1:10061: %s";
// %s: the text given (the option's name goes before it)
inline constexpr char kCliNotAddressPort[] = "not an IPv4 address and port such as 127.0.0.1:10061: %s";
inline constexpr char kCliNothingImported[] = "no FireData table found in the file,nothing has been imported!";
// %s: host name
inline constexpr char kCliHostNotInShow[] = "host name %s is not in the show!";
// %d: errors
inline constexpr char kCliCheckRefused[] = "the show check found %d errors,download refused! (--force downloads anyway)";
// %s: the question
inline constexpr char kCliQuestionNo[] = "%s: No";
inline constexpr char kCliQuestionYes[] = "%s: Yes";
inline constexpr char kCliColumnCues[] = "Cues";
inline constexpr char kCliColumnFirstLaunch[] = "First Launch";
inline constexpr char kCliColumnLastLaunch[] = "Last Launch";
inline constexpr char kCliColumnModules[] = "Modules";

// --- Assign by range, undo, filter, timeline, load sheets ---------------------
inline constexpr char kMenuAssignByRange[] = "Assign Host by Range...";
inline constexpr char kMenuUndo[] = "Undo";
inline constexpr char kMenuRedo[] = "Redo";
inline constexpr char kMenuTimeline[] = "Timeline...";
inline constexpr char kMenuPrintLoadSheets[] = "Print Load Sheets...";
inline constexpr char kRangeTitle[] = "Assign Host by Range";
inline constexpr char kRangeModules[] = "Sla (A-B):";
inline constexpr char kRangeChannels[] = "Cue (A-B):";
inline constexpr char kRangeTimes[] = "Launch Time from:";
inline constexpr char kRangeTo[] = "to:";
inline constexpr char kRangeEvent[] = "Event:";
inline constexpr char kRangeCurrentHost[] = "Current Host:";
inline constexpr char kRangeSelectOnly[] = "Only select the matching cues";
// %d: matching cues, %d: all cues
inline constexpr char kRangeMatchCount[] = "%d of %d cues match";
// %s: the field
inline constexpr char kRangeBadField[] = "%s is not valid!";
inline constexpr char kRangeNoMatch[] = "no cue matches,nothing has been assigned!";
// %s: host name, %d: cues
inline constexpr char kUndoAssignHost[] = "Assign Host %s (%d cues)";
// %s: host name, %d: cues
inline constexpr char kUndoAssignByRange[] = "Assign Host by Range %s (%d cues)";
// %d: row, %s: host name
inline constexpr char kUndoEditHost[] = "Edit Host of row %d to %s";
inline constexpr char kFilterPlaceholder[] = "Filter by host, Sla, Cue or launch time";
inline constexpr char kFilterAccessible[] = "Filter";
// %d: cues shown, %d: all cues
inline constexpr char kFilterCount[] = "%d of %d cues";
inline constexpr char kTimelineTitle[] = "Timeline";
inline constexpr char kTimelineAccessible[] = "Timeline of the show's cues";
inline constexpr char kTimelineZoomIn[] = "Zoom In";
inline constexpr char kTimelineZoomOut[] = "Zoom Out";
inline constexpr char kTimelineFit[] = "Whole Show";
// %s: host, %s: launch time, %s: Sla, %s: Cue, %d: row
inline constexpr char kTimelineCueTip[] = "%s  %s  Sla %s  Cue %s  (row %d)";
inline constexpr char kTimelineDoubleUse[] = "firing point used twice!";
inline constexpr char kSheetTitle[] = "Load Sheet";
inline constexpr char kSheetHostCode[] = "Host Code";
inline constexpr char kSheetNoHostCode[] = "(not in the host plan)";
inline constexpr char kSheetModule[] = "Sla";
inline constexpr char kSheetChannels[] = "Cue : Launch Time";
// %d: page, %d: pages
inline constexpr char kSheetPage[] = "page %d/%d";
inline constexpr char kSheetUnsaved[] = "(unsaved host names: not yet in the show store)";
inline constexpr char kSheetPrintFailed[] = "the load sheets cannot be printed!";
inline constexpr char kCliModulesHelp[] = "only cues whose Sla lies in A-B (A alone: one module)";
inline constexpr char kCliChannelsHelp[] = "only cues whose Cue lies in A-B";
inline constexpr char kCliFromHelp[] = "only cues launched at or after TIME (as the grid writes it: 01:05.432)";
inline constexpr char kCliToHelp[] = "only cues launched at or before TIME (01:02:03.004)";
inline constexpr char kCliEventHelp[] = "only cues of event code N";
inline constexpr char kCliCurrentHelp[] = "only cues whose host name is now NAME";
inline constexpr char kCliPdfHelp[] = "write printable load sheets, one page or more per host name, to FILE";
// %s: the option, %s: the text given
inline constexpr char kCliBadRuleValue[] = "%s: not valid: %s";
inline constexpr char kCliAssignNothingChosen[] = "name the cues: ROWS, --modules, --channels, --from, --to, --event or --current";
inline constexpr char kCliAssignNoMatch[] = "no cue matches,nothing has been saved!";
// %s: file
inline constexpr char kCliPdfFailed[] = "the load sheets cannot be written to %s!";
// a build without Qt: no painter for the PDF
inline constexpr char kCliPdfNotBuilt[] =
    "PDF load sheets are not part of this build; --csv FILE writes the load sheets as CSV";

// --- Hosts that answer twice, the host plan and loading a field ----------------
inline constexpr char kHostAnsweredTwice[] = "host echo more often than it was sent frames,what it holds cannot be confirmed,please download the show again!";
inline constexpr char kHostSettingsAnsweredTwice[] = "网络异常，主机应答次数多于发送的帧，无法确认主机的设定，请重新设定主机!";
// %d: the host code given
inline constexpr char kPlanCodeOutOfRange[] = "host code %d input error,host code must be a number between 1 and 252!";
// %d: host code, %s: one host name, %s: the other
inline constexpr char kPlanCodeTaken[] = "host code %d is given to both %s and %s,plan not saved!";
// %s: host name
inline constexpr char kPlanNameTwice[] = "host name %s is in the host plan twice,plan not saved!";
// %s: host name
inline constexpr char kPlanNameUnused[] = "host name %s has no fire record in the show (kept)";
inline constexpr char kPlanAccessStore[] = "an Access file cannot hold a host plan,import it into a show store first!";
// %s: why
inline constexpr char kPlanSaveFailed[] = "the host plan cannot be saved,nothing has changed! %s";
// %s: why
inline constexpr char kPlanReadFailed[] = "the host plan cannot be read! %s";
inline constexpr char kPlanSaved[] = "host plan saved!";
inline constexpr char kPlanEmpty[] = "no host plan in this show store";
// %s: the host names without a host code, comma separated
inline constexpr char kFieldUnplanned[] = "no host code in the host plan for: %s,nothing has been sent!";
inline constexpr char kFieldNoHosts[] = "no fire record in the show,nothing to load!";
inline constexpr char kFieldWaiting[] = "waiting";
inline constexpr char kFieldNaming[] = "setting host name";
inline constexpr char kFieldDownloading[] = "downloading";
inline constexpr char kFieldDone[] = "done";
inline constexpr char kFieldFailed[] = "failed";
inline constexpr char kFieldCancelled[] = "cancelled";
// %d: hosts loaded, %d: hosts planned
inline constexpr char kFieldSummary[] = "field loaded：%d of %d hosts";
inline constexpr char kFieldColumnHost[] = "Host";
inline constexpr char kFieldColumnCode[] = "Code";
inline constexpr char kFieldColumnAddress[] = "Address";
inline constexpr char kFieldColumnState[] = "State";
inline constexpr char kFieldColumnPercent[] = "Percent";
inline constexpr char kFieldColumnMessage[] = "Message";
inline constexpr char kFieldColumnCues[] = "Cues";
inline constexpr char kMenuHostPlan[] = "Host Plan...";
inline constexpr char kMenuLoadAllHosts[] = "Load All Hosts...";
inline constexpr char kHostPlanTitle[] = "Host Plan";
inline constexpr char kHostPlanSave[] = "&Save";
inline constexpr char kHostPlanLoadAll[] = "&Load All Hosts...";
inline constexpr char kHostPlanClose[] = "&Close";
inline constexpr char kLoadAllTitle[] = "Load All Hosts";
inline constexpr char kLoadAllStart[] = "&Start";
inline constexpr char kLoadAllCancel[] = "&Cancel";
inline constexpr char kLoadAllClose[] = "C&lose";
inline constexpr char kCliPlanHelp[] = "print or change the host plan: which host code stands for each host name";
inline constexpr char kCliPlanSetHelp[] = "give host name NAME the host code CODE (repeatable)";
inline constexpr char kCliPlanRemoveHelp[] = "take host name NAME out of the plan (repeatable)";
inline constexpr char kCliAllHostsHelp[] = "name and load every host of the host plan at the same time";
inline constexpr char kCliFieldTargetHelp[] = "send host code CODE's conversations to ADDR:PORT (repeatable; virtual hosts)";
// %s: the text given
inline constexpr char kCliBadPlanEntry[] = "not NAME=CODE: %s";
// %s: the text given
inline constexpr char kCliBadFieldTarget[] = "--target: not CODE=ADDR:PORT: %s";
inline constexpr char kCliHostCodeOrAllHosts[] = "give either --host-code N or --all-hosts";
// %d: host code
inline constexpr char kCliFieldTargetMissing[] = "--target moves some host codes but not %d: give one for every planned host code";

// --- A plan as stored, imports at once, files written besides the store -----
// %d: problems, each on a line of its own after it
inline constexpr char kPlanUnsound[] = "the host plan is not sound,%d problems:";
// %d: problems, each on a line of its own after it
inline constexpr char kPlanUnsoundNotSaved[] = "the host plan would not be sound,plan not saved! %d problems:";
// %s: host name, %s: its code as stored (NULL, a text in quotes, a fraction)
inline constexpr char kPlanProblemCodeInvalid[] = "host name %s: host code %s is not a whole number between 1 and 252";
// %s: host name, %d: its code
inline constexpr char kPlanProblemCodeOutOfRange[] = "host name %s: host code %d is not between 1 and 252";
// %d: host code, %s: one host name, %s: the other
inline constexpr char kPlanProblemCodeTaken[] = "host code %d is given to both %s and %s";
// %s: host name
inline constexpr char kPlanProblemNameTwice[] = "host name %s is in the host plan twice";
// %s: host name
inline constexpr char kPlanNameAbsent[] = "host name %s is not in the host plan,plan not saved!";
inline constexpr char kPlanChanged[] = "the host plan was changed by another program since it was read,plan not saved!";
// %s: the show store
inline constexpr char kImportStoreBeingMade[] = "the show store %s is being made by another program,try again when it is done!";
// %s: folder, %s: the system's reason
inline constexpr char kStoreFolderNotWritable[] = "the folder %s cannot be written (%s)";
// %s: file
inline constexpr char kOutputIsInput[] = "%s is a file this command reads,nothing has been written to it!";
// %s: file
inline constexpr char kOutputIsDatabase[] = "%s is a database file,nothing has been written to it!";
// %s: file
inline constexpr char kOutputNotRegular[] = "%s is not a regular file (a folder, a device or a pipe),nothing has been written to it!";
// %s: folder
inline constexpr char kOutputFolderMissing[] = "the folder %s does not exist,nothing has been written!";
// %s: file, %s: the system's reason
inline constexpr char kOutputNotWritten[] = "%s cannot be written (%s),nothing has been written to it!";
inline constexpr char kCliPlanMend[] = "mend the host plan with --set NAME=CODE and --remove NAME";
inline constexpr char kCliOutputLost[] = "standard output cannot be written,what the command printed is lost!";
inline constexpr char kCliStoreIsFireOneFile[] = "--store names the FireOne file itself: the new show store must be another file";
// --- What each host holds ------------------------------------------------------
inline constexpr char kHostStateCurrent[] = "current";
inline constexpr char kHostStateChanged[] = "changed";
inline constexpr char kHostStateNever[] = "never";
inline constexpr char kHostStateFailed[] = "failed";
// %d: the frame the conversation ended at, %d: its frames in all
inline constexpr char kHostStateFailedAt[] = "failed at frame %d of %d";
// A conversation that began and never ended (its program was killed).
// %d: the frame it stopped at, %d: its frames in all
inline constexpr char kHostStateStoppedAt[] = "stopped at frame %d of %d";
inline constexpr char kHostStateStopped[] = "stopped before its end";
inline constexpr char kHostStateAmbiguous[] = "failed: answered more often than it was sent frames";
inline constexpr char kHostStateColumn[] = "Host State";
inline constexpr char kHostStateColumnWhen[] = "When";
inline constexpr char kHostRecordsAccessStore[] = "an Access file cannot keep a record of what the host was sent,import it into a show store first!";
// %s: why
inline constexpr char kHostRecordNotWritten[] = "what the host was sent has not been recorded! %s";
// %s: why
inline constexpr char kHostRecordsNotRead[] = "what each host holds cannot be read! %s";
// %d: hosts of the plan that do not hold the show as it is now
inline constexpr char kStatusHostsNotCurrent[] = "%d hosts not current";
inline constexpr char kStatusHostsCurrent[] = "every host current";
inline constexpr char kFieldNoneStale[] = "every host holds the current show,nothing has been sent";
inline constexpr char kLoadAllStale[] = "Load s&tale hosts";
inline constexpr char kLoadAllCloseQuestion[] = "hosts are being loaded,stop loading them and close?\n(No: the load goes on)";
// %d: host code, %s: the plan's host name for it, %s: the name to send
inline constexpr char kHostSettingsCodeTaken[] = "the host plan gives host code %d to %s,send %s to it all the same?";
inline constexpr char kCliStatusHelp[] = "what each host of the host plan holds: current, changed, never or failed";
inline constexpr char kCliStaleHelp[] = "with --all-hosts: only the hosts that do not hold the current show and name";
// %d: host code
inline constexpr char kCliTargetNotPlanned[] = "--target for host code %d, which is not in the host plan";
// %d: host code
inline constexpr char kCliTargetTwice[] = "--target for host code %d is given twice";

} // namespace strings

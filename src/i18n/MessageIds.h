#pragma once
// Catalogue ids the program refers to by name.

namespace tarvix::msg {

// Kept as written: each engineer adds ids in a block of their own, aligned or not.
// clang-format off

// The program's own messages.
inline constexpr int ModifyTitle = 65221;
inline constexpr int TestFailed = 65222; // %s address, %d port
inline constexpr int TestSucceeded = 65223;
inline constexpr int ConfirmDelete = 65224; // %s name
inline constexpr int Activate = 65226;
inline constexpr int Deactivate = 65227;
inline constexpr int PortBusy = 65228; // %s name, %d port
inline constexpr int Stopping = 65229;
inline constexpr int BadIntegerStore = 65301; // %s
inline constexpr int BadBooleanStore = 65302; // %s
inline constexpr int ExtractDataNoList = 65327;
inline constexpr int HelpNotOpened = 65060;    // %s the document's full path
inline constexpr int WebPageNotOpened = 65061; // %s the address
inline constexpr int HelpNotFound = 65062;     // %s where the document was looked for first

// The relay under stress: a mapping onto its own port, clients refused for want of a thread.
inline constexpr int SelfMapping = 64200;       // %s remote host, %d port
inline constexpr int CliThreadShortage = 64201; // %s name, %d clients refused
inline constexpr int CliWarnImplausibleAddress = 64202; // %s file, %s section, %s address
inline constexpr int CliWarnAutoStartValue = 64203; // %s file, %s section, %s value, %d read as

// The desktop: start with the session, one program per settings file.
inline constexpr int StartWithSession = 65080;
inline constexpr int AutostartWriteFailed = 65081;  // %s file, %s reason
inline constexpr int AutostartRemoveFailed = 65082; // %s file, %s reason
inline constexpr int InstanceNoAnswer = 65083;      // %s settings file
// Traffic of an active mapping: the row's tool tip and the lines of tarvix-relay.
inline constexpr int TipTarget = 65140;      // %s remote host, %d remote port
inline constexpr int TipTrafficOne = 65141;  // %s open (1), %s accepted, %s bytes from clients, %s to clients
inline constexpr int TipTraffic = 65142;     // %s open, %s accepted, %s bytes from clients, %s to clients
inline constexpr int TipLastFailure = 65143; // %s time, %s reason
inline constexpr int FailureRefused = 65144;
inline constexpr int FailureHostUnknown = 65145;
inline constexpr int FailureNoAnswer = 65146;
inline constexpr int FailureOther = 65147;       // %d socket error code
inline constexpr int SizeBytes = 65148;          // %s number
inline constexpr int SizeKilobytes = 65149;      // %s number
inline constexpr int SizeMegabytes = 65150;      // %s number
inline constexpr int SizeGigabytes = 65151;      // %s number
inline constexpr int CliConnectionEnded = 65152; // %s name, %s client address, %d client port, %d ms,
                                                 // %d bytes from client, %d bytes to client, %s end
inline constexpr int EndClosedByClient = 65153;
inline constexpr int EndClosedByRemote = 65154;
inline constexpr int EndReset = 65155;
inline constexpr int EndRefusedRemote = 65156;
inline constexpr int EndDeactivated = 65157;
inline constexpr int CliTrafficSummary = 65158; // %s name, %d open, %d accepted, %d bytes from clients, %d to clients
inline constexpr int CliTrafficHelp = 65159;

// tarvix-relay, the command-line runner.
inline constexpr int CliBadArgument = 65100; // %s the argument
inline constexpr int CliBadArgumentPort = 65101; // %s the argument, %s the part
inline constexpr int CliBadArgumentHost = 65102; // %s the argument
inline constexpr int CliArgumentPortTaken = 65103; // %s the argument, %d local port, %s the earlier argument
inline constexpr int CliSelectionWithoutFile = 65104;
inline constexpr int CliFirstRunIntro = 65105; // %s settings file
inline constexpr int CliFirstRunName = 65106;
inline constexpr int CliFirstRunCommandLine = 65107; // %s the command
inline constexpr int CliWarnUtf16 = 65108; // %s file
inline constexpr int CliWarnNoLocalPort = 65109; // %s file, %s section, %d default port
inline constexpr int CliWarnNoAddress = 65110; // %s file, %s section
inline constexpr int CliWarnEmptyAddress = 65111; // %s file, %s section
inline constexpr int CliWarnNoPort = 65112; // %s file, %s section, %d default port
inline constexpr int CliWarnSpacedKey = 65113; // %s file, %s section, %s key as written, %s key meant
inline constexpr int CliWarnNoEquals = 65114; // %s file, %s section, %s line
inline constexpr int CliWarnSamePort = 65115; // %s file, %s first section, %s second section, %d local port
inline constexpr int CliPortTaken = 65116; // %s name, %d local port, %s name of the mapping on it
inline constexpr int CliCheckDone = 65117; // %d mappings, %d warnings
inline constexpr int CliStatus = 65118; // %d active mappings
inline constexpr int CliReloading = 65119; // %s signal name, %s file
inline constexpr int CliReloadNoFile = 65120; // %s signal name
inline constexpr int CliReloadFailed = 65121; // %s error text
inline constexpr int CliReloadUnchanged = 65122; // %s name
inline constexpr int CliReloadRemoved = 65123; // %s name
inline constexpr int CliReloadChanged = 65124; // %s name, %d local port, %s remote host, %d remote port
inline constexpr int CliReloadAdded = 65125; // %s name, %d local port, %s remote host, %d remote port
inline constexpr int CliReloadDone = 65126; // %d active mappings
inline constexpr int CliLeavingNow = 65127; // %s signal name
inline constexpr int CliHelpExitCodes = 65128;
inline constexpr int CliHelp = 65168;               // %s default settings file
inline constexpr int CliUnknownOption = 65169;      // %s the argument
inline constexpr int CliMissingValue = 65170;       // %s the option
inline constexpr int CliRepeatedOption = 65171;     // %s the option
inline constexpr int CliUnexpectedArgument = 65172; // %s the argument
inline constexpr int CliAllWithMapping = 65173;
inline constexpr int CliSeeHelp = 65174;
inline constexpr int CliFileError = 65175;         // %s file, %s error text
inline constexpr int CliBadValue = 65176;          // %s file, %s section, %s error text
inline constexpr int CliUnknownMapping = 65177;    // %s name, %s file
inline constexpr int CliNothingToActivate = 65178; // %s file
inline constexpr int CliListening = 65179;         // %s name, %d local port, %s remote host, %d remote port
inline constexpr int CliClientAccepted = 65180;    // %s name, %d connections open
inline constexpr int CliClientEnded = 65181;       // %s name, %d connections open
inline constexpr int CliActivationFailed = 65182;  // %s name, %d local port, %s error text
inline constexpr int CliStopping = 65183;          // %s signal name
inline constexpr int CliStopped = 65184;
inline constexpr int CliInternalError = 65185; // %s error text
inline constexpr int CliBadPort = 65186;       // %s file, %s section, %s key, %d value
inline constexpr int CliLinesLost = 65187;     // %d lines
inline constexpr int UnstorableText = 65188;   // %s the section or key name

// The desktop program day to day, listen address and allowed clients in the editor and the row.
inline constexpr int StopTest = 64050;
inline constexpr int ActivationFailed = 64051; // %s name, %d local port, %s reason
inline constexpr int TipActivationFailed = 64052; // %s reason
inline constexpr int SameLocalPort = 64053; // %d local port, %s name of the other mapping
inline constexpr int ListenAllIPv4 = 64054;
inline constexpr int ListenLoopback = 64055;
inline constexpr int ListenAllInterfaces = 64056;
inline constexpr int BadListenAddress = 64057; // %s the address as typed
inline constexpr int BadAllowFrom = 64058; // %s the offending entry
inline constexpr int TipListensOn = 64059; // %s listen address
inline constexpr int TipAllowFrom = 64060; // %s allow-list
inline constexpr int TipRefusedOne = 64061; // %s count (1)
inline constexpr int TipRefused = 64062; // %s count
inline constexpr int DesktopHelp = 64063; // %s settings file

// tarvix-relay: the service, its logs and its reloads.
inline constexpr int CliClientAcceptedFrom = 64150; // %s name, %s client address, %d client port, %d open
inline constexpr int CliOutboundFailed = 64151; // %s name, %s client address, %d client port, %s remote host,
                                                // %d remote port, %s reason
inline constexpr int CliOutboundFailuresLeftOut = 64152; // %s name, %d failures not shown, %s reason of the last
inline constexpr int CliWaitingForMapping = 64153; // %s settings file
inline constexpr int CliStatusWithFailures = 64154; // %d active, %d not applied
inline constexpr int CliReloadKeptOld = 64155; // %s name
inline constexpr int CliReloadDoneWithFailures = 64156; // %d active, %d not applied
inline constexpr int CliWarnUnresolved = 64157; // %s remote host, %s reason
inline constexpr int CliServiceHelp = 64158;

// Message boxes.
inline constexpr int TitleWarning = 65346;
inline constexpr int TitleError = 65347;
inline constexpr int TitleInformation = 65348;
inline constexpr int TitleConfirmation = 65349;
inline constexpr int ButtonYes = 65350;
inline constexpr int ButtonNo = 65351;
inline constexpr int ButtonOk = 65352;
inline constexpr int ButtonCancel = 65353;

// Conversion, input/output and format errors.
inline constexpr int NotAnInteger = 65520;        // %s the text
inline constexpr int InOutError = 65522;          // %d the code
inline constexpr int FileNotFound = 65523;        // I/O error 2
inline constexpr int InvalidFileName = 65524;     // 3
inline constexpr int TooManyOpenFiles = 65525;    // 4
inline constexpr int FileAccessDenied = 65526;    // 5
inline constexpr int ReadBeyondEnd = 65527;       // 100
inline constexpr int DiskFull = 65528;            // 101
inline constexpr int NoArgumentForFormat = 65496; // %s the format
inline constexpr int FormatIncompatible = 65497;  // %s the format
inline constexpr int RegistrySetFailed = 65437;   // %s the value's name
inline constexpr int RegistryBadType = 65438;     // %s the value's name

// Engine.
inline constexpr int SocksFirst = 65216;
inline constexpr int StackName = 65220;
inline constexpr int StackCanNotLoad = 65280; // %s the library
inline constexpr int StackSetSizeExceeded = 65281;
inline constexpr int ThreadClassNotSpecified = 65282;
inline constexpr int OnlyOneAntiFreeze = 65283;
inline constexpr int InterceptNil = 65284;
inline constexpr int NoExecuteSpecified = 65285;
inline constexpr int NoDataToRead = 65286;
inline constexpr int StatusResolving = 65287;  // %s host
inline constexpr int StatusConnecting = 65288; // %s peer IP
inline constexpr int StatusConnected = 65289;
inline constexpr int StatusDisconnecting = 65290; // %s peer IP
inline constexpr int StatusDisconnected = 65291;
inline constexpr int StatusText = 65292;     // %s
inline constexpr int InvalidService = 65293; // %s
inline constexpr int SocketError = 65294;    // %d code, %s text
inline constexpr int AlreadyConnected = 65306;
inline constexpr int InvalidSocket = 65307;
inline constexpr int ConnClosedGracefully = 65308;
inline constexpr int CouldNotBindSocket = 65309;
inline constexpr int NotEnoughDataInBuffer = 65310;
inline constexpr int StackInitializationFailed = 65311;

// Where a mapping listens and whom it admits.
inline constexpr int BadAddress = 64000; // %s the address or network as written
inline constexpr int CliClientRefused = 64001;      // %s name, %s client address, %d client port
inline constexpr int CliBadListenAddress = 64002;   // %s file, %s section, %s value
inline constexpr int CliBadAllowFrom = 64003;       // %s file, %s section, %s value, %s error text
inline constexpr int CliBadArgumentListen = 64004;  // %s the argument, %s the listen address
inline constexpr int CliBadAllowOption = 64005;     // %s error text
inline constexpr int CliListenAddress = 64006;      // %s name, %s address listened on
inline constexpr int CliAllowFrom = 64007;          // %s name, %s allowed clients
inline constexpr int CliFirstRunListenHint = 64008;
inline constexpr int CliListenHelp = 64009;

// Asynchronous client socket.
inline constexpr int AsyncWindowsError = 65392; // %s system text, %d code, %s API
inline constexpr int AsyncSocketError = 65393;  // %d code
inline constexpr int AsyncNoAddress = 65394;
inline constexpr int AsyncCannotCreate = 65395;
inline constexpr int AsyncAlreadyOpen = 65396;
inline constexpr int AsyncCannotChangeActive = 65397;

// clang-format on

// Catalogue id of the text of a Windows Sockets error code (10004..10066), 0 when the table has none.
int SocketErrorTextId(int code);

// tarvix-relay --export: the mappings as another proxy's configuration.
inline constexpr int CliExportUnknownTarget = 64100; // %s the target given
inline constexpr int CliExportWithCheck = 64101;
inline constexpr int CliExportRefused = 64102; // %s name, %s target, %s reason
inline constexpr int ExportBadListen = 64103;  // %s listen address
inline constexpr int ExportBadHost = 64104;    // %s remote host
inline constexpr int ExportPortTaken = 64105;  // %d local port, %s name of the earlier mapping
inline constexpr int ExportMadeBy = 64110;     // %s target, %s date and time (UTC)
inline constexpr int ExportFromFile = 64111;   // %s settings file
inline constexpr int ExportFromCommandLine = 64112;
inline constexpr int ExportNotCarried = 64113;
inline constexpr int ExportConnectComment = 64114;
inline constexpr int ExportIdleComment = 64115;
inline constexpr int ExportHalfCloseComment = 64116;
inline constexpr int ExportModuleComment = 64117;
inline constexpr int ExportWorkerComment = 64118;
inline constexpr int ExportNameAtStart = 64119; // %s target
inline constexpr int CliExportHelp = 64120;

} // namespace tarvix::msg

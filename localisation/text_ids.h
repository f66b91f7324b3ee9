#pragma once
// The names of the program's texts. Every text is asked for by one of these names, so that a
// misspelt one fails to compile; the numbers are the keys of the language files and never change.
namespace barloom {

enum class TextId : int {
  None = 0,  // a control without a text of its own: captioning leaves it as it is

  // The main window's menus.
  MenuFile = 101,
  MenuExit = 110,
  MenuOptions = 150,
  MenuHelp = 161,
  MenuHelpTopics = 162,
  MenuAbout = 163,

  // The main window.
  Step1 = 601,
  Step2 = 602,
  Step3 = 603,
  Next = 604,
  Back = 605,
  Create = 606,
  ToolsFrame = 607,
  PrefixLabel = 610,
  LanguageFileLabel = 611,
  BarCountLabel = 620,
  SaveFolderLabel = 621,
  SeparateFolderNote = 622,
  ImportNote = 623,
  SkipImportNote = 624,

  // The installation steps after a Create.
  CreatedSteps = 625,
  RunCommanderStep = 626,
  ChangeBarStep = 627,
  ChooseFileStep = 628,
  MakeMainBarStep = 629,
  RemoveImport = 630,

  // Why a set could not be built.
  BarFileNotSaved = 700,
  NoSaveFolder = 701,
  BarCountOutOfRange = 702,
  UnusablePrefix = 703,
  LineBreakInFolderName = 704,
  SaveFolderNotCreated = 705,
  BarFileNotRead = 706,
  FolderNameEndsInSpaceOrDot = 707,
  FolderNameIsDeviceName = 708,
  FolderIsBrokenLink = 709,

  // What an import did differently.
  ImportClamped = 710,
  ButtonsImportedLabel = 712,

  // Why a file could not be written, as the program found it.
  FolderMissing = 713,
  NameIsFolder = 714,
  NotOrdinaryFile = 715,
  FileReadOnly = 716,
  FolderReadOnly = 717,

  // Backups and the buttons a set keeps.
  BackupNotKept = 720,
  BackupsKept = 721,
  BarsLeft = 722,
  ReplacedImport = 723,
  ImportedIntoLabel = 724,
  KeptInLabel = 725,
  ReplacedImportNote = 726,
  WillBeKeptInLabel = 727,
  KeepButtons = 728,
  FoundLabel = 729,
  OwnButtonsClamped = 730,
  ButtonsKeptLabel = 731,

  // Why a file could not be written, as the system answered.
  FileNameTooLong = 740,
  PathTooLong = 741,
  DriveMissing = 742,
  AccessDenied = 743,
  DiskFull = 744,
  FileInUse = 745,
  DriveReadOnly = 746,
  InvalidCharacters = 747,
  NameIsFile = 748,
  PrefixTooLong = 749,

  // What could not be opened.
  NotOpened = 750,
  NoAssociation = 751,
  OpenTargetNotFound = 752,
  ProgramNotStarted = 753,
  ProgramDidNotAnswer = 754,
  OutOfMemory = 755,

  // The bar buttons' names, the folder button's name, dropped files.
  BarName = 770,
  BrowseFolder = 771,
  NotBarFiles = 772,
  BeyondLastBar = 773,

  // Making the set Total Commander's button bar.
  MakeItCommandersBar = 800,
  InstallTitle = 801,
  ConfigFileLabel = 802,
  ChooseConfigFile = 803,
  ConfigChosen = 804,
  ConfigFromEnvironment = 805,
  ConfigInProgramFolder = 806,
  ConfigFromUserRegistry = 807,
  ConfigFromMachineRegistry = 808,
  ConfigInAppData = 809,
  ConfigInWindowsFolder = 810,
  ConfigNotFound = 811,
  SectionInConfig = 812,
  SectionRedirected = 813,
  SectionInAlternateIni = 814,
  MainBar = 815,
  VerticalBar = 816,
  CurrentBarLabel = 817,
  NoCurrentBar = 818,
  Install = 819,
  Undo = 820,
  Close = 821,
  CommanderRunningRetry = 822,
  Retry = 823,
  BarChanged = 824,
  StartCommanderToSee = 825,
  BeforeLabel = 826,
  NowLabel = 827,
  ConfigBackupsKept = 828,
  WrittenAsUtf8 = 829,
  BarInUseAlready = 830,
  InstallUndone = 831,
  NothingToUndo = 832,
  ConfigMissing = 833,
  ConfigNotRead = 834,
  ConfigNotChanged = 835,
  ConfigBackupNotKept = 836,
  BarFileMissing = 837,
  UndoBackupMissing = 838,
  NotPutBack = 839,
  SetFolderLabel = 840,
  SetInUse = 841,
  InstallHint = 842,
  ConfigFileFilter = 843,
  CommanderRunning = 844,
  HiddenBar = 845,
  BarToInstallLabel = 846,

  // Where the settings are.
  SettingsInProfile = 850,
  SettingsNotKept = 851,

  // Before Create: the icons the bars point to.
  IconsFolderMissing = 870,
  IconsMissing = 871,
  CreateAnyway = 872,
  // What a file offered as a bar to import or keep is, and why it could not be read.
  SourceNotABar = 900,
  SourceHasNoButtons = 901,
  SourceNotRead = 902,
  KeptBarNotRead = 903,
  FileMissing = 904,
  FileNotReadable = 905,
  // Buttons of the user's own that a Create would drop.
  OwnButtonsFound = 920,
  OwnButtonsLabel = 921,
  OnBarsLabel = 922,
  KeepOrDropOwnButtons = 923,
  KeepThem = 924,
  DropThem = 925,
  OwnButtonsDropped = 926,
  BackupsHeld = 927,
  SeparatorName = 928,

  // The Options dialog.
  OptionsTitle = 1001,
  Ok = 1008,
  Cancel = 1009,

  // The About box.
  AboutTitle = 1501,
  ProgrammedBy = 1502,
  Version = 1503,
  RegisteredTo = 1504,
  HomePageNote = 1505,
  WebSite = 1506,
  Email = 1507,
  VisitNow = 1508,

  FileNotFound = 3056,
};

// The number a language file keys the text by.
constexpr int Number(TextId id) { return static_cast<int>(id); }

}  // namespace barloom

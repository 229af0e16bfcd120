// Steps shared by the scenario files, and the scenarios that live outside scenarios.cpp.
#pragma once
#include <string>

// The English text of the installer's messages.
extern const char kMsgBadFolder[];
extern const char kMsgOldWordBase[];
extern const char kMsgSuccess[];
extern const char kMsgFailure[];
// Language values as the installer records them.
enum { UI_ENGLISH = 0, UI_SIMPLIFIED = 1, UI_TRADITIONAL = 2 };

// C:\pdgui_<scenario>, as it is.
std::string ScenarioFolder(const char *scenario);
// C:\pdgui_<scenario>, removed with everything in it.
std::string FreshFolder(const char *scenario);
// Starts the installer in `workingFolder` (the driver's own when NULL) and checks page 0's defaults.
void StartWizard(const char *workingFolder = NULL);

// Pages 0 to 3 with `folder` typed and `answer` ticked on the display check.
void GoToDisplayCheck(const std::string &folder);
void GoToLicence(int answer);
void GoToLanguage();
// Install pressed with an unusable folder: the folder message, then page 0 as it was.
void RefuseFolder(const std::string &folder);
// Install pressed on page 3: the old-word-base question answered with `reply` (0: none
// asked), the success message confirmed, the installer ended cleanly.
void InstallAndFinish(int reply);
// A whole install with the success message; `reply` answers the old-word-base question (0: none).
void RunFullInstall(const std::string &folder, int answer, int language, int reply);
// Every catalogue file with its flags and nothing else, the "doc" sub-folder as expected and
// no other, the settings answers.
void CheckInstalled(const std::string &folder, char useBmpFont, int language, bool withDoc);

// Waits until the folder field reads `expected`, failing with what it reads.
void WaitForFolderField(const std::string &expected);

void ScenarioPickerOk();
void ScenarioPickerNavigate();
void ScenarioPickerRoot();
void ScenarioPickerCancel();
void ScenarioEnterKeys();
// Compares every screen with its list of controls; SaveScreensTo makes it save a PNG of each.
void ScenarioScreens();
void SaveScreensTo(const char *folder);

// Faults: a damaged download, unusable folders, files in the way, repeated installs; the
// last two need a drive mapped by mapped_drive.sh (a small file system for disk_full).
void ScenarioDamagedPayload();
void ScenarioBadFolders();
void ScenarioFilesInTheWay();
void ScenarioReinstallKept();
void ScenarioDiskFull();
void ScenarioReinstallHeldOpen();
void ScenarioSecondCopy();
void ScenarioDriveRoot();

// Folder and file names whose last character ends in 0x5C, under the locale each names.
void ScenarioDbcsPickerZhCn();
void ScenarioDbcsPickerZhTw();
void ScenarioDbcsTypedZhCn();
void ScenarioDbcsTypedZhTw();
void ScenarioDbcsSetupNameZhCn();
void ScenarioDbcsSetupNameZhTw();

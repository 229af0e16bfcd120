// Steps shared by the scenario files, and the scenarios that live outside scenarios.cpp.
#pragma once
#include <string>

// C:\pdgui_<scenario>, removed with everything in it.
std::string FreshFolder(const char *scenario);
// Starts the installer in `workingFolder` (the driver's own when NULL) and checks page 0's defaults.
void StartWizard(const char *workingFolder = NULL);

void ScenarioPickerOk();
void ScenarioPickerNavigate();
void ScenarioPickerRoot();
void ScenarioPickerCancel();
void ScenarioEnterKeys();
// Compares every screen with its list of controls; SaveScreensTo makes it save a PNG of each.
void ScenarioScreens();
void SaveScreensTo(const char *folder);

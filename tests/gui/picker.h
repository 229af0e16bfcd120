// Works the Browse button's folder picker from outside: finds it, reads it, navigates and closes it.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Control IDs of the picker dialog.
enum {
    PICK_OK = 1, PICK_CANCEL = 2, PICK_DIRECTORIES_LABEL = 1008, PICK_DRIVES_LABEL = 1010,
    PICK_FOLDER_SHOWN = 1088, PICK_DIRECTORIES = 1121, PICK_DRIVES = 1137
};

// How a test leaves the picker without choosing.
enum PickerExit { EXIT_BY_CANCEL, EXIT_BY_CLOSE_BOX, EXIT_BY_ESCAPE };

// The picker when it is open, else NULL.
HWND FindPicker();
// Waits for the picker and checks it is the modal, titled dialog owned by the wizard.
HWND WaitForPicker();
HWND PickerControl(HWND picker, int id);
// The folder that the picker shows as open.
std::string PickerFolder(HWND picker);
std::vector<std::string> PickerEntries(HWND picker);
// Opens a directory-list entry as a double click does and waits for the shown folder to change.
void OpenEntry(HWND picker, const std::string &entry);
// Selects an entry without opening it.
void HighlightEntry(HWND picker, const std::string &entry);
// OK, then waits until the picker is gone.
void AcceptPicker(HWND picker);
void LeavePicker(HWND picker, PickerExit how);
// Browse, wherever the picker opens.
HWND Browse();
// Browse, with the picker expected to open in `folder`.
HWND BrowseFrom(const std::string &folder);

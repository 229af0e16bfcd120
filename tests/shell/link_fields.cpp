// Reads a shortcut file back through the shell-link object, as the shell would.
#include "link_fields.h"
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

LinkFields ReadLink(const std::string &file)
{
    LinkFields fields;
    CoInitialize(NULL);
    IShellLinkA *link = NULL;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   (void **)&link))) {
        IPersistFile *persist = NULL;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&persist))) {
            WCHAR wide[MAX_PATH];
            if (MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH) &&
                SUCCEEDED(persist->Load(wide, STGM_READ))) {
                char text[MAX_PATH];
                fields.loaded = true;
                if (SUCCEEDED(link->GetPath(text, MAX_PATH, NULL, SLGP_RAWPATH)))
                    fields.path = text;
                if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)))
                    fields.workingDirectory = text;
                if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &fields.iconIndex)))
                    fields.iconFile = text;
                if (SUCCEEDED(link->GetDescription(text, MAX_PATH)))
                    fields.description = text;
            }
            persist->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return fields;
}

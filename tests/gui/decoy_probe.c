/* Loads version.dll by its bare name, as any program might: the planted-DLL test runs it
   first, to show that a decoy beside a program does get loaded under the test's settings. */
#include <windows.h>

int main(void)
{
    return LoadLibraryA("version.dll") != NULL;
}

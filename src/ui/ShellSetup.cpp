#include "ui/ShellSetup.h"

#include "app/text/Prompt.h"
#include "ui/CKSInputDlg.h"
#include "ui/CKSPromptDlg.h"
#include "ui/QtSoundOutput.h"
#include "ui/SkinImages.h"

void InstallSkinnedShell()
{
    static SkinnedPrompt prompt;
    static SkinnedInputPrompt input;
    // Bitmaps looked up before the file search was ready are looked up again.
    SkinImages::Clear();
    SetPrompt(&prompt);
    SetInputPrompt(&input);
    UseSystemSoundOutput();
}

#pragma once
// Puts the skinned shell in charge of messages, questions and sounds: the prompt
// dialog answers Prompt, the input dialog answers InputPrompt, and menu sounds go to
// the audio device. The running program calls it once the string and colour lists
// are loaded (the dialogs read their colours and bitmaps through them); tests and
// command-line tools never do.
void InstallSkinnedShell();

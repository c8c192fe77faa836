#pragma once
// The music service offered to the engine: entries 14 to 18 of the launcher service
// table (play, pause, resume, the per-frame update and the registration of the "cd"
// command), and the launcher's own hooks into the music.
class CdAudio;
class EngineCdConsole;

// Sets the service entries to run on the music and the engine console given (both
// must outlive the installation); nullptr for either takes the music away, and the
// entries then do nothing.
void InstallCdAudioServices(CdAudio* audio, EngineCdConsole* console);
// Fills entries 14 to 18 of the launcher service table (after the table was filled).
void SetCdAudioServiceEntries();

// The menu's music does not come back after the next display switch (a game is ending).
void CancelCdResume();

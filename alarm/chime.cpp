#include "alarm/chime.h"

#include <new>

#include "alarm/clock_state.h"
#include "sound/sound_files.h"
#include "sound/wave_mix.h"

CWaveMix* g_pChimePlayer = nullptr;
long long g_llChimedHour = kNoChimedHour;
int g_nStrikes = 0;

int ChimeStrikesFor(int zihou, long long minute, long long* chimedHour) {
    if (!zihou || minute < 0 || minute % 60 != 0 || *chimedHour == minute)
        return 0;
    *chimedHour = minute;
    int strikes = static_cast<int>(minute / 60 % 12);
    return strikes == 0 ? 12 : strikes;
}

int ChimeQuiet(int hour, int quiet, int from, int to) {
    if (!quiet || from == to)
        return 0;
    if (from < to)
        return hour >= from && hour < to;
    return hour >= from || hour < to;
}

int ChimeFinished(int size, int playCount, int strikes) {
    if (ValidSizeIndex(size) == kSizeMedium)
        return 1;
    return playCount >= strikes;
}

void StartChime(int size) {
    // After shutdown nothing is created that nobody would delete.
    if (g_bClockClosed)
        return;
    // Deleting the old player silences a chime that may still be striking.
    DeleteChimePlayer();
    g_pChimePlayer = new (std::nothrow) CWaveMix(nullptr);
    if (!g_pChimePlayer)
        return;
    g_pChimePlayer->SetCallback(ChimeDone);
    g_pChimePlayer->SetLoop(1);
    g_pChimePlayer->Open(SoundFilePath(size, kSoundChime));
    g_pChimePlayer->Play();
}

void ChimeTick(const SYSTEMTIME& now) {
    if (g_bClockClosed)
        return;
    int strikes = ChimeStrikesFor(g_AlarmSettings.ZIHOU, LocalMinuteOf(now), &g_llChimedHour);
    // The decision has marked a quiet hour as struck: its chime is dropped, never played late.
    const AlarmSettings& s = g_AlarmSettings;
    if (strikes == 0 || ChimeQuiet(now.wHour, s.QUIET, s.QUIETFROM, s.QUIETTO))
        return;
    g_nStrikes = strikes;
    StartChime(g_WindowSettings.SIZE);
}

int ChimeSounding() {
    return g_pChimePlayer != nullptr && g_pChimePlayer->IsPlaying();
}

void ChimeDone(int* playCount) {
    // The size current now decides, so a medium clock never strikes twice.
    if (ChimeFinished(g_WindowSettings.SIZE, *playCount, g_nStrikes))
        StopChime();
}

void StopChime() {
    if (g_pChimePlayer)
        g_pChimePlayer->Stop();
}

void ResetChimeHour() {
    g_llChimedHour = kNoChimedHour;
}

void DeleteChimePlayer() {
    if (!g_pChimePlayer)
        return;
    delete g_pChimePlayer;
    g_pChimePlayer = nullptr;
}

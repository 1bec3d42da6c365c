#include "alarm/chime.h"

CWaveMix* g_pChimePlayer = nullptr;
int g_bChimed = 0;
int g_nStrikes = 0;

void ChimeTick() {}
void ChimeDone(int*) {}
void StopChime() {}
void DeleteChimePlayer() {}

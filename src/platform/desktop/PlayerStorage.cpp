// On the desktop the player's files are on the disk once written: nothing more to keep them.
#include "platform/PlayerStorage.h"

void PlayerStorage::keep() {}

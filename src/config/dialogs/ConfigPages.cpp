#include "config/dialogs/ConfigPages.h"

void InstallConfigPages()
{
}

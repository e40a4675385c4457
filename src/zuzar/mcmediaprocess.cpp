#include "mcmediaprocess.h"

McMediaProcess::McMediaProcess()
    : McRefusable("McMediaProcess")
{
}

McMediaProcess::~McMediaProcess() = default;

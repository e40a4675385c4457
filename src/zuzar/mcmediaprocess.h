#ifndef ZUZAR_MCMEDIAPROCESS_H
#define ZUZAR_MCMEDIAPROCESS_H

#include <zuzar/mcrefusable.h>

/**
 * A media process: the engine's processing of one user's stream. When present it owns the
 * stream's refuse mask in place of the transfer.
 */
class ZUZAR_EXPORT McMediaProcess : public McRefusable
{
public:
    /** Constructs a media process that refuses nothing. */
    McMediaProcess();
    /** Destroys the media process. */
    ~McMediaProcess() override;
};

#endif

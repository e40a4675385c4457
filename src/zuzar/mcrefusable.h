#ifndef ZUZAR_MCREFUSABLE_H
#define ZUZAR_MCREFUSABLE_H

#include <zuzar/zuzar_export.h>

#include <atomic>
#include <string>

/**
 * The refuse mask of a media stream: bit 0x1 refuses its audio, bit 0x2 its video.
 * setRefuseData() records a request; the engine settles it, after which refusedData()
 * reports the mask in force. Without an event loop (this plain engine object) a request
 * settles at once; the Qt layer settles from the event loop and then signals.
 */
class ZUZAR_EXPORT McRefusable
{
public:
    enum RefuseBits : unsigned { RefuseAudio = 0x1, RefuseVideo = 0x2 };

    explicit McRefusable(const char* className);
    virtual ~McRefusable();

    /** The requested mask. */
    unsigned getRefuseData() const;
    /** Replaces the requested mask; it comes into force when the engine settles it. */
    void setRefuseData(unsigned mask);
    /** The mask in force. */
    unsigned refusedData() const;

protected:
    /** Called after each request; settles at once unless a subclass defers it. */
    virtual void refuseRequested();
    /** Brings the requested mask into force and returns it. */
    unsigned settleRefuse();

private:
    McRefusable(const McRefusable&) = delete;
    McRefusable& operator=(const McRefusable&) = delete;

    const char* m_className;
    std::atomic<unsigned> m_requested;
    std::atomic<unsigned> m_refused;
};

#endif

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
    /** The bits of a refuse mask. */
    enum RefuseBits : unsigned {
        RefuseAudio = 0x1, ///< the stream's audio is refused
        RefuseVideo = 0x2 ///< the stream's video is refused
    };

    /**
     * Constructs a stream part that refuses nothing.
     * @param className the engine class's name, as its journal lines give it; the text must
     *        outlive the object (a string literal)
     */
    explicit McRefusable(const char* className);
    /** Destroys the stream part. */
    virtual ~McRefusable();

    /** @return the requested mask */
    unsigned getRefuseData() const;
    /**
     * Replaces the requested mask; it comes into force when the engine settles it.
     * @param mask the RefuseBits to request
     */
    void setRefuseData(unsigned mask);
    /** @return the mask in force */
    unsigned refusedData() const;

protected:
    /** Called after each request; settles at once unless a subclass defers it. */
    virtual void refuseRequested();
    /**
     * Brings the requested mask into force.
     * @return the mask now in force
     */
    unsigned settleRefuse();

private:
    McRefusable(const McRefusable&) = delete;
    McRefusable& operator=(const McRefusable&) = delete;

    const char* m_className;
    std::atomic<unsigned> m_requested;
    std::atomic<unsigned> m_refused;
};

#endif

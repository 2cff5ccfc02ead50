// What the start-up bench's children share: each prints "step milliseconds"
// lines, milliseconds after its parent started it, the last one the first
// frame; that frame is read once the window's contents have been handed to
// the display server, the moment the player could see them.
#pragma once

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

namespace tappe {

inline double msMonotono()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The parent's clock reading just before it started this process, passed as
// the second argument: the kernel's own start time is kept in 10 ms ticks,
// too coarse here.
inline double partenza = 0;

inline double msDallAvvio()
{
    return msMonotono() - partenza;
}

inline void tappa(const char* nome)
{
    std::printf("%s %.2f\n", nome, msDallAvvio());
    std::fflush(stdout);
}

// A window's paint and its flush both happen inside the handling of one
// expose or update request; the frame is out once that handling returns.
// Nothing after the first frame is measured: the process ends there.
class Applicazione : public QApplication {
public:
    // `pronto` says whether the frame being flushed is the one awaited.
    Applicazione(int& argc, char** argv, std::function<bool()> pronto)
        : QApplication(argc, argv)
        , pronto_(std::move(pronto))
    {
    }
    bool notify(QObject* destinatario, QEvent* e) override
    {
        // Read before: handling an event may delete its receiver.
        const bool dipinge = destinatario->isWindowType()
            && (e->type() == QEvent::Expose || e->type() == QEvent::UpdateRequest);
        const bool fatto = QApplication::notify(destinatario, e);
        if (dipinge && pronto_()) {
            tappa("first-frame");
            std::_Exit(0);
        }
        return fatto;
    }

private:
    std::function<bool()> pronto_;
};

} // namespace tappe

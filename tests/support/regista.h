#pragma once

#include <QTimer>
#include <deque>
#include <functional>

namespace trelva::prova {

// Runs test scenes inside the game's own event loops: each scene waits for its
// condition, then acts. The game blocks the test's thread while it plays, so
// this is how a test presses, looks and finally closes the window.
class Regista : public QObject {
public:
    using Condizione = std::function<bool()>;
    using Azione = std::function<void()>;

    Regista()
    {
        orologio_.setInterval(2);
        QObject::connect(&orologio_, &QTimer::timeout, this, [this] {
            while (!scene_.empty() && scene_.front().first()) {
                auto scena = std::move(scene_.front());
                scene_.pop_front();
                scena.second();
            }
        });
        orologio_.start();
    }

    void quando(Condizione c, Azione a) { scene_.emplace_back(std::move(c), std::move(a)); }
    void poi(Azione a)
    {
        quando([] { return true; }, std::move(a));
    }
    bool finito() const { return scene_.empty(); }

private:
    QTimer orologio_;
    std::deque<std::pair<Condizione, Azione>> scene_;
};

} // namespace trelva::prova

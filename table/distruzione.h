#pragma once

#include <QAbstractNativeEventFilter>

class QWidget;

namespace trelva {

// A window that another X client destroys is gone without a close request:
// only the X server's notice tells of it, and without this the program would
// run on unseen, its music playing. The window is then closed as if the
// player had closed it, which ends the program.
class Distruzione final : public QAbstractNativeEventFilter {
public:
    explicit Distruzione(QWidget& finestra);
    ~Distruzione() override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QWidget& finestra_;
};

} // namespace trelva

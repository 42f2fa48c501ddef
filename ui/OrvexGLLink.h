// The windows' link to the engine of the real GL view: root operations reach
// the view's Orvex root (while it has one; a new GL context makes a new root,
// which the link follows), the mouse mode and the frame grab go to the view,
// and the view's four signals come out of the link.
#pragma once

#include <QPointer>
#include <memory>

#include "app/EngineLink.h"

class OrvexGL;

class OrvexGLLink : public EngineLink {
    Q_OBJECT
public:
    OrvexGLLink(OrvexGL* view, QObject* parent = nullptr);
    ~OrvexGLLink() override;

    // Null until the view has initialised OpenGL, and once it is gone.
    Root* root() const override;
    void setMouseMode(int mode) override;
    QImage grabFrame() override;

private:
    class RootOfView;

    QPointer<OrvexGL> view_;
    std::unique_ptr<RootOfView> root_;
};

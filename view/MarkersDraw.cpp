// Drawing of the marks: the world pass in the scene's frame with depth, then
// the screen pass in a frame of view fractions (0, 0 top-left, 1, 1
// bottom-right) without depth. Only texts are drawn on the screen.
#include <GL/glew.h>

#include "view/Markers.h"

void Markers::compileList(MarkerItem& item) {
    if (item.displayList != 0)
        glDeleteLists(item.displayList, 1);
    item.displayList = glGenLists(1);
    glNewList(item.displayList, GL_COMPILE);
    if (item.kind == MarkerItem::Text)
        item.font->draw(item.text, 0);
    glEndList();
    item.listStale = false;
}

void Markers::drawWorldItem(const MarkerItem& item) const {
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_LIGHTING_BIT);
    glColor4dv(item.color.getValue());
    switch (item.kind) {
    case MarkerItem::Text: {
        const Vector3 p = item.position.getValue();
        glRasterPos3d(p.x, p.y, p.z);
        glCallList(item.displayList);
        break;
    }
    case MarkerItem::Line:
    case MarkerItem::DynamicLine: {
        const bool dynamic = item.kind == MarkerItem::DynamicLine;
        const Vector3 a = dynamic ? objectPosition(item.fromName) : item.position.getValue();
        const Vector3 b = dynamic ? objectPosition(item.toName) : item.endPosition.getValue();
        glLineWidth(float(item.lineWidth));
        glBegin(GL_LINES);
        glVertex3d(a.x, a.y, a.z);
        glVertex3d(b.x, b.y, b.z);
        glEnd();
        break;
    }
    case MarkerItem::Point: {
        const Vector3 p = item.position.getValue();
        glPointSize(float(item.pointSize));
        glBegin(GL_POINTS);
        glVertex3d(p.x, p.y, p.z);
        glEnd();
        break;
    }
    default:
        break;
    }
    glPopAttrib();
    glPopMatrix();
}

void Markers::draw() {
    if (!show)
        return;
    bool any = false;
    for (const auto& item : items)
        if (item->visible) {
            any = true;
            if (item->listStale)
                compileList(*item);
        }
    if (!any)
        return;

    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glPushAttrib(GL_CURRENT_BIT);
    for (const auto& item : items)
        if (item->inWorld == 1 && item->visible)
            drawWorldItem(*item);

    glPushMatrix();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, 1.0, 1.0, 0.0, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    for (const auto& item : items) {
        if (item->inWorld != 0 || !item->visible || item->kind != MarkerItem::Text)
            continue;
        const Vector3 p = item->position.getValue();
        glPushAttrib(GL_CURRENT_BIT);
        glColor4dv(item->color.getValue());
        glRasterPos2d(p.x, p.y);
        glCallList(item->displayList);
        glPopAttrib();
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    glDisable(GL_POINT_SMOOTH);
    glDisable(GL_BLEND);
}

// Who asks for a navigation or a command: the user, a page, or a frame of a
// page. The record names itself, in the user's language for the question and
// in English for the log, so that every place that tells of a request names
// it the same way.
#pragma once

#include <QString>
#include <QUrl>

class Requester {
public:
    enum Kind {
        User,  // an address the user gave: the URL line, a bookmark, the open dialog
        Page,  // the page shown; its address is empty when the request came without it
        Frame, // a frame of the page shown
    };

    static Requester user() { return Requester(User, QUrl(), QString(), true); }
    // byUser: the user's own click or key made the request, not a script.
    static Requester page(const QUrl& page, bool byUser = false) {
        return Requester(Page, page, QString(), byUser);
    }
    // frame: the frame's address as it gives it (or only its origin);
    // holder: the page shown, which holds it.
    static Requester frame(const QString& frame, const QUrl& holder) {
        return Requester(Frame, holder, frame, false);
    }

    Kind kind() const { return kind_; }
    bool byUser() const { return byUser_; }
    bool isFrame() const { return kind_ == Frame; }
    // The page shown that made the request, or that holds the frame.
    const QUrl& page() const { return page_; }
    // Whose requests a refusal holds back: the frame's address, or the page.
    QUrl site() const { return isFrame() ? QUrl(frame_) : page_; }
    // The page holding the frame; empty for a page's own request.
    QUrl holder() const { return isFrame() ? page_ : QUrl(); }

    // A request that came without its page is the page shown's.
    Requester within(const QUrl& shown) const {
        Requester known = *this;
        if (kind_ == Page && page_.isEmpty())
            known.page_ = shown;
        return known;
    }
    // The same request named by what it asks for (a scenario's address)
    // rather than by its page; a frame keeps its names.
    Requester askingFor(const QString& address) const {
        Requester named = *this;
        named.address_ = address;
        return named;
    }
    // How the question names it; empty where the page it names would be the
    // program's own (a post inside a page of the program, as a rule a
    // frame's that reached into it).
    QString name(const QString& programDir) const;
    // The same in English, for the log.
    QString logName(const QString& programDir) const;

private:
    Requester(Kind kind, const QUrl& page, const QString& frame, bool byUser)
        : kind_(kind), page_(page), frame_(frame), byUser_(byUser) {}
    QString named(bool translated, const QString& programDir) const;

    Kind kind_;
    QUrl page_;
    QString frame_;
    QString address_;
    bool byUser_;
};

#pragma once

#include <QObject>

class QPushButton;
class QWidget;
class RegisterSession;
class TransfersDialog;

// "Сачувај профил" and "Учитај профил" of the transfers dialog: every
// family's table of the session to a profile folder and back. The
// passwords go with them only when their family is ticked.
class ProfileActions : public QObject {
    Q_OBJECT
public:
    ProfileActions(RegisterSession &session, TransfersDialog &dialog);

public slots:
    void btnProfileSaveClick();
    void btnProfileLoadClick();

private:
    bool withPasswords() const;

    RegisterSession &m_session;
    TransfersDialog &m_dialog;
};

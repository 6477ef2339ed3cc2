#pragma once

#include "link/registerprobe.h"

#include <QDialog>

class QPushButton;
class QStandardItemModel;
class QTableView;

// "Проналажење касе": every port probed for the register, with its
// description and what it answered. "Изабери" or a double click on a row
// hands the port on and closes the window.
class FindRegisterWindow : public QDialog {
    Q_OBJECT
public:
    explicit FindRegisterWindow(QWidget *parent = nullptr);

    void showResults(const QString &serial, const QList<RegisterProbe::Result> &results);

signals:
    void portChosen(const QString &device);

private:
    void useCurrent();

    QTableView *m_table;
    QStandardItemModel *m_model;
    QPushButton *m_use;
};

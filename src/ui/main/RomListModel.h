#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <stop_token>
#include <thread>

namespace mivo {

// The names of the ROM files of one folder: its "*.smc" files, matched without regard to case (ROM
// dumps come as ".smc" and ".SMC" alike), in name order ignoring case. The folder is read once, on a
// thread of its own, so that a folder of a hundred thousand ROMs does not hold up the window; the rows
// appear all at once, in one reset of the model, when the reading is done. Each row costs its name.
class RomListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    // Starts reading `folder` at once: a file that turns up there later is not listed.
    RomListModel(const QString& folder, QObject* parent);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void show(QStringList names);

    QStringList m_names;
    // Declared last, so that it is stopped and joined first: it hands its names to this object.
    std::jthread m_reader;
};

} // namespace mivo

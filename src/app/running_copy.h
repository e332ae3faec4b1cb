// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One running copy of the program per settings store. A copy that starts on a store another
// copy already runs on hands over to it (that one comes to the front) and ends; copies on
// different stores (another user, another XDG_CONFIG_HOME) run side by side.
//
//   TRunningCopy copy(QString::fromStdString(TSettingsStore::DefaultPath()));
//   if (copy.Claim() == TRunningCopy::TClaim::HandedOver) return 0;
//   QObject::connect(&copy, &TRunningCopy::FrontRequested, ...);
//
// The copies meet at a local socket in the user's runtime folder named after a hash of the
// store's path. Deciding who runs happens under a lock file beside it, so two copies started
// at once cannot both start; a socket left by a copy that crashed answers nobody and is
// replaced.

#include <QLocalServer>
#include <QObject>
#include <QString>

class TRunningCopy : public QObject {
    Q_OBJECT
  public:
    enum class TClaim {
        First,      // no copy ran on the store: this one listens for later ones
        HandedOver, // a copy runs on the store and was asked to come to the front
        Unguarded,  // the socket could not be made (said on standard error): run anyway
    };

    explicit TRunningCopy(const QString& storePath, QObject* parent = nullptr);

    // The socket's path for a settings store.
    [[nodiscard]] static QString SocketPath(const QString& storePath);

    [[nodiscard]] TClaim Claim();

  signals:
    // A later copy asked this one to come to the front; token: its desktop activation token
    // (empty when it had none).
    void FrontRequested(const QString& token);

  private:
    [[nodiscard]] bool HandOver();
    [[nodiscard]] bool Listen();
    void Answer();

    QString Socket;
    QLocalServer Server;
};

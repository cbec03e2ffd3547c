#pragma once

#include <QString>
#include <string>

// Pictures of the two host dialogs for the README, from the demo store at
// `store`. Each returns the program's exit status.

// The Download dialog part way through a download to a virtual host on
// loopback that stops answering, so that the progress and Cancel show.
int ShootDownloadDialog(const std::string& store, const QString& output);

// The Host Settings dialog with the demo store's host names, one ticked.
int ShootHostSettingsDialog(const std::string& store, const QString& output);

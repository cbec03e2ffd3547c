#pragma once

#include <QString>
#include <string>

// "Tools" > "Timeline..." over the demo show opened in the main window: a
// picture of the timeline window. 0 on success, 1 after saying why.
int ShootTimeline(const std::string& store, const QString& output);

// The demo show's load sheets as a PDF (scripts/screenshot turns its first
// page into a picture). 0 on success, 1 after saying why.
int WriteDemoLoadSheets(const std::string& store, const QString& output);

#pragma once

#include <QString>

// The folder that holds the running program. The help file and the proposed
// save folder are found below it. On Linux the link in bin/ is resolved, so an
// installed program finds the folder it really lives in.
QString programFolder();

// `folder` followed by `relative` ("file", "help/help.chm"), written with the
// platform's own separators: "\file" on Windows, "/file" elsewhere.
QString programSubPath(const QString& folder, const QString& relative);

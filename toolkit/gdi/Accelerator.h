#pragma once

#include <QChar>
#include <QString>

// The accelerator of a caption: the character after a single ampersand
// ("&&" stands for an ampersand itself); null when there is none.
QChar AcceleratorOf(const QString &caption);

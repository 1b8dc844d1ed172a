#pragma once

#include <QChar>
#include <QString>

// The accelerator of a caption: the character after a single ampersand
// ("&&" stands for an ampersand itself); null when there is none.
QChar AcceleratorOf(const QString &caption);

// The caption as it is shown and read out: a single ampersand marks the
// accelerator and disappears, "&&" shows one ampersand.
QString WithoutAmpersands(const QString &caption);

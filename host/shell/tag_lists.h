// The colouring lists beside the program: "HtmlText.ctd" (a tag name and
// its attribute names a line) and "CommentText.ctd" (a pattern a line).
#pragma once

#include <QString>
#include <QStringList>

namespace quenby::shell {

// The entries of a list file's text: one a line, upper-cased, empty lines
// left out.
QStringList ParseTagList(const QString& text);

}  // namespace quenby::shell

// The editor's "save as template" command: the current page with a name,
// an author and a description, written as a template file.
#pragma once

#include <filesystem>
#include <functional>

namespace quenby::authoring {

class EditorPort;
class TemplatePropertyForm;

// Asks for the file (under programFolder's "template" folder by default),
// then for the template's fields, writes the file and shows it in the
// editor's caption. runPropertyDialog fills the property dialog in place of
// showing it modally; what it answers does not cancel, the fields are
// written as they stand. False when the save dialog was cancelled or the
// file could not be written (the user has been told).
bool TemplateSaveAs(EditorPort& editor, const std::filesystem::path& programFolder,
                    std::function<bool(TemplatePropertyForm&)> runPropertyDialog = {});

}  // namespace quenby::authoring

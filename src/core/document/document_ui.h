#pragma once

#include <optional>
#include <string>

namespace tavlor {

/** The answer to a save prompt; closing the box counts as Cancel. */
enum class Answer { Yes, No, Cancel };

/** What the document commands need from the window: the save prompt, the file dialogs, the caption
 *  and the load warning. The window implements it with real dialogs; tests script the answers. */
class DocumentUi {
public:
    virtual ~DocumentUi() = default;

    /** Shows the modal save prompt ("Confirmation", Yes/No/Cancel) with the given text. */
    virtual Answer askToSave(const std::string& text) = 0;
    /** Shows the Save dialog. With a preset, the dialog offers that name; without one it offers the
     *  name it last returned. Returns the chosen path, or nothing when cancelled. */
    virtual std::optional<std::string> chooseSavePath(const std::optional<std::string>& preset) = 0;
    /** Asks (Yes/No, No the default) whether a file may be replaced: another existing file, or the
     *  document's own file when another program changed it or it holds more than the sheet.
     *  True for Yes. */
    virtual bool askToReplace(const std::string& text) = 0;
    /** Shows the Open dialog (it offers the name it last returned). Returns the chosen path, or
     *  nothing when cancelled. */
    virtual std::optional<std::string> chooseOpenPath() = 0;
    /** Sets the window caption and makes the application title equal to it. */
    virtual void setCaption(const std::string& caption) = 0;
    /** Tells the user that part of the file just opened did not fit in the sheet. */
    virtual void showLoadWarning(const std::string& text) = 0;
};

} // namespace tavlor

#include "batch/ok_checks.h"

#include "engine/extension_rules.h"
#include "engine/special_strings.h"

namespace velmora::batch {

using engine::OperationKind;

bool InputTextCheck(const std::string& text, bool specialStringsEnabled, Messages& messages) {
  if (auto problem = engine::RandomDigitsCheck(text, specialStringsEnabled)) {
    messages.information(*problem);
    return false;
  }
  if (text.find_first_of(kProhibitedCharacters) != std::string::npos) {
    messages.information(
        "You should remove one of following nine characters from input text, because they are "
        "prohibited in Windows filenames:  \\ / : * ? \" < > |");
    return false;
  }
  return true;
}

std::string ContinueSuffix(const TargetSet& target, RunMode mode) {
  std::string s;
  if (target.isFolderMode()) s = std::string("Edit content is (") + ScopeText(target.scope) + "),";
  s += mode == RunMode::Preview ? "continue preview ?" : "continue ?";
  return s;
}

namespace {

/// The state of one OK press: the refused flag, the two remembered answers, the focus.
class OkPress {
 public:
  OkPress(OkRequest& request, Messages& messages)
      : request_(request), messages_(messages), suffix_(ContinueSuffix(request.target, request.mode)) {}

  const std::string& suffix() const { return suffix_; }
  OkRequest& request() { return request_; }
  const engine::OperationRecord& record() const { return request_.record; }

  /// A failed check: its message, the focus, refused.
  void refuse(const std::string& message, const std::string& focus = {}) {
    messages_.information(message);
    if (!focus.empty()) focus_ = focus;
    refused_ = true;
  }
  void refuseQuietly(const std::string& focus = {}) {
    if (!focus.empty()) focus_ = focus;
    refused_ = true;
  }
  void warn(const std::string& message, const std::string& focus = {}) {
    messages_.warning(message);
    if (!focus.empty()) focus_ = focus;
    refused_ = true;
  }
  void setFocus(const std::string& focus) { focus_ = focus; }
  bool refused() const { return refused_; }

  bool confirmationsShown() const {
    return request_.confirmOption && request_.mode == RunMode::Rename && !refused_;
  }
  /// An ordinary confirmation, shown only under the confirmation conditions.
  std::optional<Answer> ordinaryConfirm(const std::string& title, const std::string& text) {
    if (!confirmationsShown()) return std::nullopt;
    return messages_.confirm(title, text, Buttons::OkCancel);
  }
  /// A box shown whatever the option, in Preview too.
  Answer alwaysConfirm(const std::string& title, const std::string& text) {
    return messages_.confirm(title, text, Buttons::OkCancel);
  }
  bool inputTextCheck(const std::string& text) {
    return InputTextCheck(text, request_.record.specialStringsEnabled, messages_);
  }

  /// Run if not refused and (A1 OK, or A2 OK, or preview, or no confirmation option).
  bool commonRunDecision() const {
    if (refused_) return false;
    return a1 == Answer::Ok || a2 == Answer::Ok || request_.mode == RunMode::Preview ||
           !request_.confirmOption;
  }

  std::optional<Answer> a1, a2;
  Messages& messages() { return messages_; }
  const std::string& focus() const { return focus_; }

 private:
  OkRequest& request_;
  Messages& messages_;
  std::string suffix_;
  bool refused_ = false;
  std::string focus_;
};

bool ExtensionBlock(OkPress& press) {
  OkRequest& request = press.request();
  engine::OperationRecord& record = request.record;
  if (request.target.isFolderMode() && (request.target.scope == FolderScope::SubfoldersOnly ||
                                        request.target.scope == FolderScope::ThisFolder)) {
    press.warn("Folder or subfolder name have no extension part.");
    return false;
  }
  const std::string& s = press.suffix();
  if (record.extensionMode == engine::ExtensionMode::ConvertExtensionCase) {
    press.a2 = press.ordinaryConfirm(
        "Convert Confirmation", std::string("It will convert all filenames extention part case to '") +
                                    (record.extensionUpper ? "UPPER case" : "Lower case") + "',\n" + s);
    return press.commonRunDecision();
  }
  record.newExtension = engine::NormalizeNewExtension(record.newExtension);
  std::string& n = record.newExtension;
  if (n.empty() || n == "." || n == "..") {
    n.clear();
    press.a1 = press.alwaysConfirm(
        "Change Confirmation",
        "The new extention part is empty,\nit will REMOVE old extention part from original filenames,\n" + s);
    if (press.a1 != Answer::Ok) press.refuseQuietly("LabeledEdit4");
  }
  if (!n.empty() && n != ".") {
    if (!press.inputTextCheck(n)) {
      press.refuseQuietly();
    } else {
      const std::string text =
          record.allExtensions
              ? "It will change all filenames extention part to '" + n + "',\n" + s
              : "It will change filenames extention part, from '" + record.oldExtension + "' to '" + n +
                    "',\n" + s;
      press.a2 = press.ordinaryConfirm("Change Confirmation", text);
      if (press.a2 && *press.a2 != Answer::Ok) press.setFocus("LabeledEdit4");
    }
  }
  if (!press.commonRunDecision()) return false;
  record.oldExtension = engine::WithLeadingDot(record.oldExtension);
  record.newExtension = engine::WithLeadingDot(record.newExtension);
  return true;
}

}  // namespace

OkResult RunOkChecks(platform::FileSystem& fs, OkRequest& request, Messages& messages) {
  OkResult result;
  if (request.target.isFolderMode()) {
    const std::string first =
        FirstTargetItem(fs, request.target, request.record.kind, messages, &result.topLayerFileCount);
    if (first.empty()) return result;
    result.targetChecked = true;
  }
  OkPress press(request, messages);
  switch (request.record.kind) {
    case OperationKind::Changexten:
      result.run = ExtensionBlock(press);
      break;
    default:
      messages.information(std::string("The operation ") + engine::KeywordOf(request.record.kind) +
                           " is not available yet.");
      break;
  }
  result.focus = press.focus();
  return result;
}

}  // namespace velmora::batch

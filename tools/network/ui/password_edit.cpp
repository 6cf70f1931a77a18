#include "tools/network/ui/password_edit.h"

#include "platform/secret_memory.h"

namespace pelmora {

platform::SecretText TakePassword(QLineEdit& edit) {
    QString text = edit.text();
    QByteArray bytes = text.toUtf8();
    platform::SecretText password(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    // Both are copies of their own by now (detached from the field's text on writing).
    platform::WipeMemory(bytes.data(), static_cast<std::size_t>(bytes.size()));
    platform::WipeMemory(text.data(), static_cast<std::size_t>(text.size()) * sizeof(QChar));
    edit.clear();
    return password;
}

}  // namespace pelmora

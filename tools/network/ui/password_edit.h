#pragma once
// Taking a password out of a QLineEdit into secret memory: the copies made on the way are
// wiped, and the field is emptied. (Qt's own buffers behind the field are out of reach.)

#include <QLineEdit>

#include "platform/secret_text.h"

namespace pelmora {

platform::SecretText TakePassword(QLineEdit& edit);

}  // namespace pelmora

// Users tab: per user a length block, a block of one byte per digit (only as
// many as the password has) and, for users 1-4, the loop access flags.

#include "config/codec_steps.h"

namespace nodra::config::codec {

namespace {

constexpr int kFirstLoopBit = 1;  // loops 1-4 in bits 1-4

QString userSetting(int u, const char16_t* what)
{
    return QStringLiteral("Пользователи, Пользователь %1: %2").arg(u).arg(QString::fromUtf16(what));
}

// The low digit of a byte's text: the panel keeps each digit as 00-09.
int lowDigit(const ImageReader& in, int block, const QString& text, int byte, const QString& setting)
{
    const qsizetype at = 2 * byte + 1;
    if (at >= text.size() || text[at] < u'0' || text[at] > u'9')
        in.fail(block, setting);
    return text[at].unicode() - u'0';
}

}  // namespace

void DecodeUsers(const ImageReader& in, UsersState& users)
{
    for (int u = 1; u <= kUserCount; ++u) {
        UserSettings& user = users.users[size_t(u - 1)];
        const QString passwordSetting = userSetting(u, u"пароль");
        const QString lengthText = in.hexText(block::PasswordLength(u), passwordSetting);
        // The first digit of the length byte is not looked at: 14 counts 4.
        const int count = lowDigit(in, block::PasswordLength(u), lengthText, 0, passwordSetting);
        const QString digits = in.hexText(block::PasswordDigits(u), passwordSetting);
        QString password;
        for (int i = 0; i < count; ++i)
            password += QChar(u'0' + lowDigit(in, block::PasswordDigits(u), digits, i, passwordSetting));
        user.password = password;
        if (u > kUsersWithAccess)
            continue;
        const quint32 access = in.value(block::LoopAccess(u), userSetting(u, u"доступ"));
        for (int loop = 0; loop < kLoopCount; ++loop)
            user.loopAccess[size_t(loop)] = IsSet(access, kFirstLoopBit + loop);
    }
}

void EncodeUsers(const UsersState& users, ImageWriter& out)
{
    for (int u = 1; u <= kUserCount; ++u) {
        const UserSettings& user = users.users[size_t(u - 1)];
        // More than eight digits would run into the access byte in the panel.
        if (user.password.size() > kPasswordMaxDigits)
            out.fail(userSetting(u, u"пароль"), user.password);
        QString digits;
        for (QChar c : user.password) {
            if (c < u'0' || c > u'9')
                out.fail(userSetting(u, u"пароль"), user.password);
            digits += QLatin1Char('0') + c;
        }
        out.set(block::PasswordLength(u), HexByte(int(user.password.size())));
        out.set(block::PasswordDigits(u), digits);
        if (u > kUsersWithAccess)
            continue;
        int access = 0;
        for (int loop = 0; loop < kLoopCount; ++loop)
            access |= Bit(user.loopAccess[size_t(loop)], kFirstLoopBit + loop);
        out.set(block::LoopAccess(u), HexByte(access));
    }
}

}  // namespace nodra::config::codec

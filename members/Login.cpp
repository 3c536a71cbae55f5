#include "members/Login.h"

#include "storage/Prompter.h"
#include "storage/dao/DM.h"

#include <algorithm>

namespace {

QString AsciiLower(QString text) {
    for (QChar& c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = QChar(c.unicode() + (u'a' - u'A'));
        }
    }
    return text;
}

} // namespace

TLogin::TLogin(TOperator& current) : current_(current) {
    TDM& dm = TDM::Instance();
    std::vector<int> ids;
    for (dm.OpenSql(QStringLiteral("SELECT * FROM TbOperator")); !dm.Q1.Eof(); dm.Q1.Next()) {
        ids.push_back(int(dm.Q1.FieldByName(QStringLiteral("Id")).AsInteger()));
    }
    dm.Q1.Close();
    operators_.resize(ids.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        operators_[i].LoadById(ids[i]);
    }
}

int TLogin::PreselectedIndex() const {
    const auto found = std::find_if(operators_.begin(), operators_.end(),
                                    [this](const TOperator& op) { return op.Id == current_.Id; });
    return found == operators_.end() ? 0 : int(found - operators_.begin());
}

TLogin::TOutcome TLogin::Try(int id, const QString& password) {
    const auto chosen = std::find_if(operators_.begin(), operators_.end(),
                                     [id](const TOperator& op) { return op.Id == id; });
    if (chosen != operators_.end() && PasswordMatches(password, chosen->Password)) {
        current_ = *chosen;
        return TOutcome::LoggedIn;
    }
    ShowWarning(QStringLiteral("密码输入错误！请重新输入。"));
    if (++failures_ < MaxFailures) {
        return TOutcome::TryAgain;
    }
    ShowError(QStringLiteral("三次密码输入错误！您不能使用此软件。"));
    return TOutcome::Refused;
}

bool TLogin::PasswordMatches(const QString& typed, const QString& stored) {
    return AsciiLower(typed) == AsciiLower(stored);
}

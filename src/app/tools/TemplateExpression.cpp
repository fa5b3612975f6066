#include "TemplateExpression.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace dravo::layoutgen {
namespace {

// Recursive descent, one function per precedence level.
class Parser {
public:
    Parser(const std::string& text, const Values& values) : mText(text), mValues(values) {}

    ExpressionResult run()
    {
        long long v = orExpr();
        skipSpace();
        if (mError.empty() && mPos != mText.size())
            fail("unexpected '" + mText.substr(mPos, 1) + "'");
        if (!mError.empty())
            return {std::nullopt, mError + " in \"" + mText + "\""};
        return {v, {}};
    }

private:
    void fail(const std::string& why)
    {
        if (mError.empty())
            mError = why;
    }

    void skipSpace()
    {
        while (mPos < mText.size() && std::isspace(static_cast<unsigned char>(mText[mPos])))
            ++mPos;
    }

    bool take(const char* token)
    {
        skipSpace();
        const std::string t(token);
        if (mText.compare(mPos, t.size(), t) != 0)
            return false;
        // "<" must not take the first half of "<=", nor "=" of "==".
        if (t.size() == 1 && mPos + 1 < mText.size() && (t == "<" || t == ">" || t == "!") && mText[mPos + 1] == '=')
            return false;
        mPos += t.size();
        return true;
    }

    long long orExpr()
    {
        long long v = andExpr();
        while (mError.empty() && take("||")) {
            const long long r = andExpr();
            v = (v != 0 || r != 0) ? 1 : 0;
        }
        return v;
    }

    long long andExpr()
    {
        long long v = compare();
        while (mError.empty() && take("&&")) {
            const long long r = compare();
            v = (v != 0 && r != 0) ? 1 : 0;
        }
        return v;
    }

    long long compare()
    {
        long long v = sum();
        for (;;) {
            if (take("<="))
                v = v <= sum();
            else if (take(">="))
                v = v >= sum();
            else if (take("=="))
                v = v == sum();
            else if (take("!="))
                v = v != sum();
            else if (take("<"))
                v = v < sum();
            else if (take(">"))
                v = v > sum();
            else
                return v;
        }
    }

    long long sum()
    {
        long long v = product();
        for (;;) {
            if (take("+"))
                v += product();
            else if (take("-"))
                v -= product();
            else
                return v;
        }
    }

    long long product()
    {
        long long v = unary();
        for (;;) {
            const bool divide = take("/");
            const bool modulo = !divide && take("%");
            if (!divide && !modulo && !take("*"))
                return v;
            const long long r = unary();
            if ((divide || modulo) && r == 0) {
                fail("division by zero");
                return 0;
            }
            v = divide ? v / r : modulo ? v % r : v * r;
        }
    }

    long long unary()
    {
        if (take("-"))
            return -unary();
        if (take("!"))
            return unary() == 0 ? 1 : 0;
        return primary();
    }

    long long primary()
    {
        skipSpace();
        if (take("(")) {
            const long long v = orExpr();
            if (!take(")"))
                fail("missing ')'");
            return v;
        }
        if (mPos < mText.size() && std::isdigit(static_cast<unsigned char>(mText[mPos]))) {
            long long v = 0;
            while (mPos < mText.size() && std::isdigit(static_cast<unsigned char>(mText[mPos])))
                v = v * 10 + (mText[mPos++] - '0');
            return v;
        }
        const std::size_t start = mPos;
        while (mPos < mText.size() &&
               (std::isalnum(static_cast<unsigned char>(mText[mPos])) || mText[mPos] == '_'))
            ++mPos;
        const std::string name = mText.substr(start, mPos - start);
        if (name.empty()) {
            fail(mPos < mText.size() ? "unexpected '" + mText.substr(mPos, 1) + "'" : "missing value");
            return 0;
        }
        if (take("("))
            return call(name);
        const auto it = mValues.find(name);
        if (it == mValues.end()) {
            fail("unknown name '" + name + "'");
            return 0;
        }
        return it->second;
    }

    long long call(const std::string& name)
    {
        std::vector<long long> args;
        if (!take(")")) {
            do
                args.push_back(orExpr());
            while (mError.empty() && take(","));
            if (!take(")"))
                fail("missing ')' after the arguments of " + name);
        }
        if (!mError.empty())
            return 0;
        if ((name == "min" || name == "max") && !args.empty()) {
            long long v = args[0];
            for (long long a : args)
                v = name == "min" ? std::min(v, a) : std::max(v, a);
            return v;
        }
        if (name == "pick" && args.size() >= 2) {
            const long long i = args[0];
            if (i < 0 || i + 1 >= static_cast<long long>(args.size())) {
                fail("pick index " + std::to_string(i) + " outside its list");
                return 0;
            }
            return args[static_cast<std::size_t>(i + 1)];
        }
        fail("unknown function or wrong arguments: " + name);
        return 0;
    }

    const std::string& mText;
    const Values& mValues;
    std::size_t mPos = 0;
    std::string mError;
};

} // namespace

ExpressionResult evaluate(const std::string& expression, const Values& values)
{
    return Parser(expression, values).run();
}

std::optional<std::string> substitute(const std::string& text, const Values& values, std::string& error)
{
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t open = text.find("{{", pos);
        if (open == std::string::npos) {
            out.append(text, pos, std::string::npos);
            return out;
        }
        const std::size_t close = text.find("}}", open + 2);
        if (close == std::string::npos) {
            error = "unclosed {{ in \"" + text + "\"";
            return std::nullopt;
        }
        out.append(text, pos, open - pos);
        const ExpressionResult r = evaluate(text.substr(open + 2, close - open - 2), values);
        if (!r.value) {
            error = r.error;
            return std::nullopt;
        }
        out += std::to_string(*r.value);
        pos = close + 2;
    }
}

} // namespace dravo::layoutgen

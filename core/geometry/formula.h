#pragma once
// The formula language of shape dimensions: numbers, variable names, brackets,
// + - * / and eleven functions with angles in degrees. The checker tells the
// shape editor why a formula is refused; the evaluator runs while lengths are
// computed and shapes are drawn, on any thread, and never talks to the user.

#include <QString>

#include <memory>
#include <vector>

class CVes_Variable;

// A variable as a formula sees it.
struct FormulaVariable {
    QString name;
    double value = 0.0;
    double secondValue = 0.0; // the other end of a varying dimension
    double step = 0.0;
};

using FormulaVariables = std::vector<FormulaVariable>;

// The outcome of one evaluation: `ok` false means the value is 0 and
// `message` holds the reason (empty where the language has no text for it).
struct FormulaResult {
    double value = 0.0;
    bool ok = false;
    QString message;
};

class CVes_Formula {
public:
    // Which value of each variable an evaluation takes.
    static constexpr int kValueMode = 0;       // the value
    static constexpr int kSecondValueMode = 1; // the other end of a range
    static constexpr int kStepValueMode = 2;   // the value plus the step

    // Formulas may name at most this many variables and numbers together.
    static constexpr int kMaxOperands = 125;

    virtual ~CVes_Formula() = default;

    // 1 when the formula can be used with these variables, else 0 with the
    // reason in `message`. The part outside brackets is checked for names and
    // numbers only, the way stored shapes were accepted.
    int checkFormula(const QString& formula, const FormulaVariables& variables,
                     QString& message) const;
    int checkFormula(const QString& formula, const std::vector<CVes_Variable*>& variables,
                     QString& message) const;
    int checkFormula(const QString& formula,
                     const std::vector<std::unique_ptr<CVes_Variable>>& variables,
                     QString& message) const;

    // The formula's value, 0 on any error.
    double FormulaValue(const QString& formula, const FormulaVariables& variables,
                        int mode) const;
    double FormulaValue(const QString& formula, const std::vector<CVes_Variable*>& variables,
                        int mode) const;
    double FormulaValue(const QString& formula,
                        const std::vector<std::unique_ptr<CVes_Variable>>& variables,
                        int mode) const;

    // As FormulaValue, with the reason for a 0.
    FormulaResult evaluate(const QString& formula, const FormulaVariables& variables,
                           int mode) const;
};

// The name and values of each dimension variable.
FormulaVariables formulaVariables(const std::vector<CVes_Variable*>& variables);
FormulaVariables formulaVariables(const std::vector<std::unique_ptr<CVes_Variable>>& variables);

// The value of a formula without variables (a count or length typed into a
// cell); 0 when it is not a valid formula.
double formulaString(const QString& formula);

// The number a text starts with, read as the C library's atof reads it
// (blanks first, then a sign, digits, a point and an exponent) in every
// locale: 1500 for "1500mm"; 0 when there is none.
double leadingNumberOf(const QString& text);

#pragma once

#include "masterdata/registerwindow.h"

#include <array>

namespace parlog {

// Courses: the register of courses, with a par per hole and the course par.
class CoursesWindow : public RegisterWindow {
    Q_OBJECT
public:
    explicit CoursesWindow(Application& app);

    // Text18_Change ... Text54_Change: the course par follows, the focus moves on.
    void Par_Change(int hole);

protected:
    QLineEdit* nameBox() const override { return CourseName; }
    void loadRow(const Record& row) override;
    void clearBoxes(bool adding) override;
    Result<Record> rowValues() override;

private:
    std::array<QString, 18> parTexts() const;

    QLineEdit* CourseName;
    QLineEdit* CourseAdd1;
    QLineEdit* CourseAdd2;
    QLineEdit* CourseAdd3;
    QLineEdit* CourseTel;
    std::array<QLineEdit*, 18> par{};
    QLineEdit* Text56;
};

} // namespace parlog

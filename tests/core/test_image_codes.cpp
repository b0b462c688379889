// The translation of the DALI-2 editor's names into the converter's codes.
#include "image/Config_Image.h"

#include <gtest/gtest.h>

#include <functional>

using namespace USaveBincc;

TEST(Image_Codes, NamesToCodes) {
    const std::function<int(const QString&)> function = Function_Code, condition = Condition_Code,
                                             event = Event_Code, channel = Channel_Code,
                                             rule_function = Rule_Function_Number;
    const auto sensor_type = [](const QString& t) { return Type_Code(t, true); };
    const auto device_type = [](const QString& t) { return Type_Code(t, false); };
    struct Case {
        const char* table;
        std::function<int(const QString&)> code;
        const char* text;
        int want;
    } cases[] = {
        {"function", function, "Function Null", 0},
        {"function", function, "Subtraction", 4},
        {"function", function, "Set Out", 17},
        {"function", function, "Ramp Stop", 22},
        {"function", function, "set out", 0},
        {"function", function, "Set Out ", 0},
        {"function", function, "", 0},
        {"condition", condition, "When Equal to Value", 1},
        {"condition", condition, "NOR Logic with Value", 8},
        {"condition", condition, "When equal to value", 0},
        {"sensor type", sensor_type, "Push Button", 1},
        {"sensor type", sensor_type, "Relative Input", 6},
        {"sensor type", sensor_type, "Led Lamp", 0},
        {"device type", device_type, "Push Button", 0},
        {"device type", device_type, "Alogen Lamp", 3},
        {"device type", device_type, "Sequencer", 9},
        {"device type", device_type, "led lamp", 0},
        {"event", event, "Button Released", 0},
        {"event", event, "Double Press", 5},
        {"event", event, "Button Stuck", 15},
        {"event", event, "77", 77},
        {"event", event, "short press", 0},
        {"event", event, "Occupied", 0}, // occupancy events are values, not rule events
        {"channel", channel, "DALI Channel 0", 0},
        {"channel", channel, "DALI Channel 63", 63},
        {"channel", channel, "DALI Group 1", 64},
        {"channel", channel, "DALI Group 16", 79},
        {"channel", channel, "DALI Broadcast", 80},
        {"channel", channel, "DALI Group x", 64},
        {"channel", channel, "DALI Channel x", 0},
        {"channel", channel, "to DALI Channel 7", 7},
        {"channel", channel, "DALI Channel 5 DALI Broadcast", 0}, // the channel test comes first
        {"channel", channel, "dali broadcast", 0},
        {"channel", channel, "", 0},
        {"rule function", rule_function, "3 - Dim", 3},
        {"rule function", rule_function, "0 - None", 0},
        {"rule function", rule_function, "250 - ", 250},
        {"rule function", rule_function, "x - Dim", 0},
        {"rule function", rule_function, "", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.code(QString::fromLatin1(c.text)), c.want) << c.table << " \"" << c.text << '"';
}

TEST(Image_Codes, FunctionValues) {
    struct Case {
        const char* text;
        float want;
    } cases[] = {
        {"Button Released", 0},
        {"Button Pressed", 1},
        {"Short Press", 2},
        {"Double Press", 5},
        {"Long Press Start", 9},
        {"Long Press Repeat", 11},
        {"Long Press Stop", 12},
        {"Button Free", 14},
        {"Button Stuck", 15},
        {"No Movement", 1},
        {"Movement", 1},
        {"Vacant", 2},
        {"Occupied", 2},
        {"Still Vacant", 4},
        {"Still Occupied", 6},
        {"Presence Sensor", 8},
        {"Movement Sensor", 8},
        {"12,5", 12.5f},
        {"12.5", 12.5f},
        {"", 1},
        {"abc", 1},
        {"occupied", 1},
    };
    for (QChar separator : {QLatin1Char(','), QLatin1Char('.')})
        for (const Case& c : cases)
            EXPECT_EQ(Function_Value(QString::fromLatin1(c.text), separator), c.want) << '"' << c.text << '"';
}

TEST(Image_Codes, CodesBackToNames) {
    EXPECT_STREQ(Name_Of(Function_Codes, 21), "Ramp Start");
    EXPECT_EQ(Name_Of(Function_Codes, 5), nullptr);
    EXPECT_STREQ(Name_Of(Sensor_Type_Codes, 3), "Occupancy Sensor");
    EXPECT_STREQ(Name_Of(AND_Events, 2), "Occupied");
    EXPECT_STREQ(Name_Of(NAND_Events, 2), "Vacant");
    EXPECT_EQ(Target_Name(0), QLatin1String("DALI Channel 0"));
    EXPECT_EQ(Target_Name(79), QLatin1String("DALI Group 16"));
    EXPECT_EQ(Target_Name(80), QLatin1String("DALI Broadcast"));
    EXPECT_TRUE(Target_Name(81).isEmpty());
}

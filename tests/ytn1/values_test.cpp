#include <gtest/gtest.h>

#include <string>

#include "ytn1/ytn1.h"

namespace {

TEST(BitFieldTest, ReadFields) {
  EXPECT_EQ(ulBITxy(200, 3, 5), 1u);
  EXPECT_EQ(BITxy(200, 6, 7), 3);
  EXPECT_EQ(BITxy(200, 0x106, 0x207), 3);  // only the low bytes count
  EXPECT_EQ(ucBITxy(0x96, 1, 2), 3);
  EXPECT_EQ(usBITxy(0xABCD, 4, 11), 0xBC);
  EXPECT_EQ(ulBITxy(0x80000000u, 31, 31), 1u);
  EXPECT_EQ(ulBITxy(0xFFFFFFFFu, 0, 31), 0xFFFFFFFFu);
}

TEST(BitFieldTest, WriteFields) {
  BYTE b = 0xFF;
  ucxyBIT(&b, 4, 7, 0x1A);  // the value is cut to 4 bits
  EXPECT_EQ(b, 0xAF);
  ucxyBIT(&b, 5, 3, 0);  // first above last: unchanged
  EXPECT_EQ(b, 0xAF);
  WORD w = 0;
  usxyBIT(&w, 0, 3, 5);
  usxyBIT(&w, 12, 15, 0xF);
  EXPECT_EQ(w, 0xF005);
  DWORD d = 0x12345678;
  ulxyBIT(&d, 0, 31, 0xCAFEBABE);
  EXPECT_EQ(d, 0xCAFEBABEu);
  ulxyBIT(&d, 8, 15, 0);
  EXPECT_EQ(d, 0xCAFE00BEu);
}

std::string AD(LONG raw, WORD format, WORD range, WORD bits) {
  char buf[64];
  ADValueToString(buf, raw, format, range, bits);
  return buf;
}

TEST(ConverterTest, ADValueTexts) {
  EXPECT_EQ(AD(-2048, 2, 101, 12), "-5.000");
  EXPECT_EQ(AD(2048, 2, 37, 12), "2.500");
  EXPECT_EQ(AD(100, 2, 65, 12), AD(100, 2, 33, 12).replace(0, 0, ""));  // full divisor for 65 too
  EXPECT_EQ(AD(0x1FFF, 1, 37, 12), "1FFF");
  EXPECT_EQ(AD(0x1FF, 1, 37, 8), "FF");
  EXPECT_EQ(AD(0x12345, 1, 37, 16), "2345");
  EXPECT_EQ(AD(-1, 1, 37, 20), "FFFFFFFF");
  EXPECT_EQ(AD(-17, 0, 37, 12), "-17");
  EXPECT_EQ(AD(1, 0, 50, 12), "Range Error");
  EXPECT_EQ(AD(1, 7, 37, 12), "Format Error");
}

TEST(ConverterTest, DAValuesAreRoundedAndLimited) {
  struct Case {
    const char* text;
    WORD format, range;
    BYTE bits;
    LONG raw;
  };
  const Case cases[] = {
      {"2.5", 2, 37, 12, 2048},    {"7", 2, 37, 12, 4095}, {"-5", 2, 101, 12, -2048},   {"5", 0, 65, 12, 0},
      {"-5000", 0, 65, 12, -4095}, {"ff", 1, 38, 12, 255}, {"junk", 0, 38, 12, 0},      {"1", 0, 104, 12, -1},
      {"1", 3, 38, 12, -1},        {"-1.0", 2, 129, 8, 0}, {"1e30", 2, 102, 16, 32767},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StringToDAValue(c.text, c.format, c.range, c.bits), c.raw) << c.text << " " << c.range;
}

TEST(ConverterTest, RangeAndSizeTexts) {
  char buf[64];
  EXPECT_EQ(GetRangeString(101, buf), 0);
  EXPECT_STREQ(buf, "-5,0 ... 5,0 V");
  EXPECT_EQ(GetRangeString(33, buf), 1);
  EXPECT_STREQ(buf, " ");
  struct Case {
    double size;
    const char* text;
  };
  const Case cases[] = {{512, "512.0  Byte"},
                        {1536, "1.5  KB"},
                        {3 * 1048576.0, "3.0  MB"},
                        {-1, "-0.0  GB"},
                        {2147483648.0, "2.0  GB"}};
  for (const Case& c : cases) {
    EXPECT_EQ(GetDataSizeUnit(c.size, buf), 0);
    EXPECT_STREQ(buf, c.text);
  }
}

}  // namespace

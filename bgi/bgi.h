// The BGI drawing and key operations that both programs call.
// The current point, colour, line style, text style and fill style are
// global and stay in force until changed.
#pragma once

void initwindow(int width, int height, const char* title, int left, int top, bool dbflag, bool closeflag);
int getch();
void delay(int ms);
void setcolor(int color);
void setlinestyle(int style, unsigned pattern, int thickness);
void settextstyle(int font, int direction, int size);
void outtextxy(int x, int y, const char* text);
void moveto(int x, int y);
void lineto(int x, int y);
void rectangle(int left, int top, int right, int bottom);
void setfillstyle(int pattern, int color);
void floodfill(int x, int y, int border);

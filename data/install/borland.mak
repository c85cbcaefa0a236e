# Rules of the Borland-style build. The IDE writes the project's variables
# (CC, LINK, ASM, PASC, the flags, OBJSUFFIX, EXE, INCDIRS, LIBDIRS, LIBS
# and OBJS) and appends this file behind them; the file "objects" beside
# it lists every object file of the program.

.autodepend
.suffixes: .c .cpp .asm

.c.$(OBJSUFFIX):
	$(CC) -c $(CFLAGS) -I$(INCDIRS) -o$@ $<

.cpp.$(OBJSUFFIX):
	$(CC) -c -P $(CFLAGS) -I$(INCDIRS) -o$@ $<

.asm.$(OBJSUFFIX):
	$(ASM) $(ASMFLAGS) /i$(INCDIRS) $<, $@

$(EXE): $(OBJS)
	$(LINK) $(LINKFLAGS) /L$(LIBDIRS) @&&|
c0l.$(OBJSUFFIX) @objects
$(EXE)
$*.map
$(LIBS) emu mathl cl
|

clean:
	-del *.$(OBJSUFFIX)
	-del $(EXE)

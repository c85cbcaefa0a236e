CC = bcc
LINK = tlink
ASM = tasm
PASC = bpc
CFLAGS = -ml -v
LINKFLAGS = /v
ASMFLAGS = /zi
PASFLAGS = -$D+
OBJSUFFIX = obj
EXE = demo.exe
INCDIRS = c:\bc\include
LIBDIRS = c:\bc\lib;c:\kalven\lib
LIBS = qj8.lib mathl.lib 
OBJS = c0l.obj main.obj sub\util.obj 


# base makefile
$(EXE): $(OBJS)
	$(LINK) $(LINKFLAGS) @objects

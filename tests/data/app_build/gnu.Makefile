CC = /usr/local/bin/xscale-elf-gcc
CXX = /usr/local/bin/xscale-elf-g++
LINK = /usr/local/bin/xscale-elf-ld
AS = /usr/local/bin/xscale-elf-as
CFLAGS = -O2 -g
CXXFLAGS = -O2 -g
EXE = demo.elf
ASFLAGS = -mcpu=xscale
LFLAGS =  -static -Wl,-Map,Mapfile -Wl,--cref
LIBS = -lm -lc 
OBJS = start.o crt.o 


demo.elf: main.o sub\util.o 
	$(CC) $(LFLAGS) $(LIBS) $(OBJS) main.o sub\util.o -o $(EXE)


main.o: main.c

sub\util.o: sub\util.cpp


clean:
	rm -f *.o
	rm -f demo.elf

rebuild: clean demo.elf


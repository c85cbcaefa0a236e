/* A task of a TESSERA board. New Project fills in the program number and,
   for interrupt tasks, the task's kind and interrupt. */
#include <string.h>
#include <qj8.h>

#define PROGRAMM_NUMBER 0x1

static QJ8_PDT pdt;

static void Work(void)
{
	/* the task's work */
}

void main(void)
{
	memset(&pdt, 0, sizeof pdt);
	pdt.pdt_head.usNumber = PROGRAMM_NUMBER;
	pdt.pdt_head.usFlags = _TASK + _PDT_INFO_ENABLE + _LOCAL_DATA + _LOCAL_PARAMETER + _FIXED_DATASIZE;
	pdt.pdt_head.usInt = 0;
	if (qj8_register_task(&pdt) != 0)
		return;

	for (;;) {
		qj8_wait_for_start();
		Work();
	}
}
